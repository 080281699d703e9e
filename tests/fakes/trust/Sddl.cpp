#include "tests/fakes/trust/Sddl.h"

#include <stdexcept>
#include <string>

namespace kit::fakes {
namespace {

using kit::trust::AccessEntry;
using kit::trust::ObjectSecurity;

std::u16string Sid(std::u16string_view text) {
  static const std::pair<std::u16string_view, const char16_t*> aliases[] = {
      {u"SY", kit::trust::kSidLocalSystem},  {u"BA", kit::trust::kSidAdministrators},
      {u"BU", kit::trust::kSidUsers},        {u"AU", kit::trust::kSidAuthenticatedUsers},
      {u"WD", kit::trust::kSidEveryone},     {u"CO", kit::trust::kSidCreatorOwner},
      {u"OW", kit::trust::kSidOwnerRights},  {u"AC", u"S-1-15-2-1"},
      {u"IU", u"S-1-5-4"}};
  for (const auto& [alias, sid] : aliases) {
    if (text == alias) return sid;
  }
  if (text.substr(0, 2) != u"S-") throw std::invalid_argument("unknown SID alias");
  return std::u16string(text);
}

uint32_t Rights(std::u16string_view text) {
  if (text.substr(0, 2) == u"0x") {
    return static_cast<uint32_t>(std::stoul(std::string(text.begin() + 2, text.end()), nullptr, 16));
  }
  static const std::pair<std::u16string_view, uint32_t> names[] = {
      {u"FA", 0x1F01FF},   {u"FR", 0x120089},   {u"FW", 0x120116},   {u"FX", 0x1200A0},   {u"GA", 0x10000000},
      {u"GR", 0x80000000}, {u"GW", 0x40000000}, {u"GX", 0x20000000}, {u"SD", 0x10000},    {u"RC", 0x20000},
      {u"WD", 0x40000},    {u"WO", 0x80000},    {u"CC", 0x1},        {u"DC", 0x2},        {u"LC", 0x4},
      {u"SW", 0x8},        {u"RP", 0x10},       {u"WP", 0x20},       {u"DT", 0x40},       {u"LO", 0x80},
      {u"CR", 0x100}};
  uint32_t mask = 0;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    bool known = false;
    for (const auto& [name, value] : names) {
      if (text.substr(i, 2) == name) {
        mask |= value;
        known = true;
      }
    }
    if (!known) throw std::invalid_argument("unknown right");
  }
  return mask;
}

uint8_t Flags(std::u16string_view text) {
  static const std::pair<std::u16string_view, uint8_t> names[] = {
      {u"OI", kit::trust::kObjectInheritAce}, {u"CI", kit::trust::kContainerInheritAce},
      {u"NP", kit::trust::kNoPropagateInheritAce}, {u"IO", kit::trust::kInheritOnlyAce},
      {u"ID", kit::trust::kInheritedAce}};
  uint8_t flags = 0;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    bool known = false;
    for (const auto& [name, value] : names) {
      if (text.substr(i, 2) == name) {
        flags |= value;
        known = true;
      }
    }
    if (!known) throw std::invalid_argument("unknown ACE flag");
  }
  return flags;
}

// "A;OICI;FA;;;SY": type, flags, rights, object, inherited object, SID.
AccessEntry Entry(std::u16string_view text) {
  std::u16string_view fields[6];
  for (int i = 0; i < 6; ++i) {
    const std::size_t cut = i < 5 ? text.find(u';') : text.size();
    if (cut == std::u16string_view::npos) throw std::invalid_argument("short ACE");
    fields[i] = text.substr(0, cut);
    text.remove_prefix(i < 5 ? cut + 1 : cut);
  }
  AccessEntry entry;
  if (fields[0] == u"A") {
    entry.type = kit::trust::kAccessAllowedAce;
  } else if (fields[0] == u"D") {
    entry.type = kit::trust::kAccessDeniedAce;
  } else {
    throw std::invalid_argument("unknown ACE type");
  }
  entry.flags = Flags(fields[1]);
  entry.mask = Rights(fields[2]);
  entry.sid = Sid(fields[5]);
  return entry;
}

}  // namespace

ObjectSecurity ParseSddl(std::u16string_view sddl) {
  ObjectSecurity security;
  security.daclPresent = false;
  while (!sddl.empty()) {
    if (sddl.size() < 2 || sddl[1] != u':') throw std::invalid_argument("expected a part tag");
    const char16_t tag = sddl[0];
    sddl.remove_prefix(2);
    // A part runs up to the tag of the next one: the letter before its ':'.
    const std::size_t colon = sddl.find(u':');
    const std::size_t end = colon == std::u16string_view::npos ? sddl.size() : colon - 1;
    std::u16string_view part = sddl.substr(0, end);
    sddl.remove_prefix(end);
    if (tag == u'O') {
      security.owner = Sid(part);
    } else if (tag == u'D') {
      if (part == u"NO_ACCESS_CONTROL") continue;
      security.daclPresent = true;
      const std::size_t open = part.find(u'(');
      part.remove_prefix(open == std::u16string_view::npos ? part.size() : open);  // flags such as P or AI
      while (!part.empty()) {
        const std::size_t close = part.find(u')');
        if (part[0] != u'(' || close == std::u16string_view::npos) throw std::invalid_argument("bad ACE");
        security.dacl.push_back(Entry(part.substr(1, close - 1)));
        part.remove_prefix(close + 1);
      }
    }
  }
  return security;
}

}  // namespace kit::fakes
