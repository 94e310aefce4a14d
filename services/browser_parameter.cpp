#include "services/browser_parameter.h"

namespace web {

std::string BrowserParameter(std::string_view target) {
  std::string parameter(target);
  if (parameter.find_first_of(" \t") != std::string::npos) {
    parameter.insert(parameter.begin(), '"');
    parameter.push_back('"');
  }
  return parameter;
}

}  // namespace web
