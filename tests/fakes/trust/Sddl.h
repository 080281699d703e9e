// Owners and DACLs written as Windows shows them (SDDL, as icacls /save or
// Get-Acl's Sddl print them), so a test states an ACL the way it is found
// on a real machine: "O:BAD:P(A;OICI;FA;;;SY)(D;;GWSD;;;BU)".
#pragma once

#include <string_view>

#include "trust/FileSecurity.h"

namespace kit::fakes {

// The owner ("O:") and the DACL ("D:"; none, or "D:NO_ACCESS_CONTROL", is a
// NULL DACL). Knows the aliases the tests use; any other SID is written in
// full. Throws std::invalid_argument on text it does not understand.
kit::trust::ObjectSecurity ParseSddl(std::u16string_view sddl);

}  // namespace kit::fakes
