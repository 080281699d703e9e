// Reading back the call log the stand-in COM servers write (opos-calls.txt
// beside them), for the tests that drive them.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace kit::standins {

// The log's lines without their CRLF; empty when the file does not exist.
std::vector<std::string> ReadCallLog(const std::wstring& path);

// "CO <call>" and "SO <call>" for each call, as the control hands every call
// on to the service object.
std::vector<std::string> ControlAndService(std::initializer_list<std::string> calls);

}  // namespace kit::standins
