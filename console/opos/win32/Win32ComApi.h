// ComApi on ole32: CLSIDFromProgID and CoCreateInstance for IDispatch.
#pragma once

#include "console/opos/ComApi.h"

namespace vantrel::win32 {

class Win32ComApi : public ComApi {
 public:
  std::int32_t ClsidFromProgId(const std::u16string& progId, Guid& clsid) override;
  std::int32_t CreateDispatchObject(const Guid& clsid, std::unique_ptr<ComObject>& object) override;
};

}  // namespace vantrel::win32
