#include "wizard/unattended/ResultFile.h"

#include <nlohmann/json.hpp>

#include "wizard/unattended/RunLog.h"

namespace quispor::unattended {
namespace {

using json = nlohmann::ordered_json;  // keys in the order written

json Text(const std::u16string& text) { return text.empty() ? json(nullptr) : json(Utf8Of(text)); }

json List(const std::vector<std::u16string>& texts) {
  json list = json::array();
  for (const std::u16string& text : texts) {
    list.push_back(Utf8Of(text));
  }
  return list;
}

}  // namespace

std::string ResultJson(const RunResult& result) {
  json document = {
      {"action", Text(result.action)}, {"model", Text(result.model)},       {"printer", Text(result.printer)},
      {"port", Text(result.port)},     {"driver", Text(result.driver)},     {"changed", result.changed},
      {"exitCode", result.exitCode},   {"message", Text(result.message)},
  };
  if (result.wouldRemove) {
    document["wouldRemove"] = {{"printers", List(result.wouldRemove->printers)},
                               {"forms", List(result.wouldRemove->forms)},
                               {"drivers", List(result.wouldRemove->drivers)},
                               {"packages", List(result.wouldRemove->packages)}};
  }
  // Utf8Of never yields invalid UTF-8; replacing keeps dump from throwing all
  // the same.
  return document.dump(2, ' ', false, json::error_handler_t::replace) + "\r\n";
}

FileOutcome WriteResultFile(RunFiles& files, const std::u16string& path, const RunResult& result) {
  const std::string text = ResultJson(result);
  OpenFile file;
  FileOutcome outcome = OpenUnlinked(files, path, kGenericWrite, kFileShareRead, true, file);
  if (outcome.error == 0) {
    uint32_t written = 0;
    outcome.error = files.WriteFile(file.get(), text.data(), static_cast<uint32_t>(text.size()), &written);
  }
  return outcome;
}

}  // namespace quispor::unattended
