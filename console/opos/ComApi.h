// The COM calls that create an object from a ProgID.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "console/opos/Guid.h"

namespace vantrel {

// A created object; destroying it releases the reference.
class ComObject {
 public:
  virtual ~ComObject() = default;
};

class ComApi {
 public:
  virtual ~ComApi() = default;

  // CLSIDFromProgID; the HRESULT.
  virtual std::int32_t ClsidFromProgId(const std::u16string& progId, Guid& clsid) = 0;
  // CoCreateInstance(clsid, no outer, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
  // IID_IDispatch); the HRESULT, and the object on success.
  virtual std::int32_t CreateDispatchObject(const Guid& clsid,
                                            std::unique_ptr<ComObject>& object) = 0;
};

}  // namespace vantrel
