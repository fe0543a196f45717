#include "arguments.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "failure.h"

std::string ParsedOptions::value(const std::string& name, const std::string& fallback) const {
  auto found = values.find(name);
  return found == values.end() ? fallback : found->second.back();
}

std::vector<std::string> ParsedOptions::all(const std::string& name) const {
  auto found = values.find(name);
  return found == values.end() ? std::vector<std::string>{} : found->second;
}

ParsedOptions parseOptions(const std::vector<std::string>& args,
                           const std::vector<OptionDefinition>& definitions,
                           const std::string& command) {
  ParsedOptions parsed;
  const std::string seeHelp = " (see ondex-host " + command + " --help)";
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      parsed.helpWanted = true;
      continue;
    }
    if (arg == "--") {
      if (i + 1 < args.size()) {
        throw Failure(command + ": unexpected argument '" + args[i + 1] + "'" + seeHelp);
      }
      break;
    }
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      throw Failure(command + ": unexpected argument '" + arg + "'" + seeHelp);
    }
    const size_t equals = arg.find('=');
    const std::string name =
        arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
    const OptionDefinition* definition = nullptr;
    for (const OptionDefinition& candidate : definitions) {
      if (candidate.name == name) {
        definition = &candidate;
      }
    }
    if (definition == nullptr) {
      throw Failure(command + ": unknown option --" + name + seeHelp);
    }
    if (!definition->takesValue) {
      if (equals != std::string::npos) {
        throw Failure(command + ": option --" + name + " takes no value");
      }
      parsed.values[name].emplace_back();
      continue;
    }
    if (equals != std::string::npos) {
      parsed.values[name].push_back(arg.substr(equals + 1));
    } else if (i + 1 < args.size()) {
      parsed.values[name].push_back(args[++i]);
    } else {
      throw Failure(command + ": option --" + name + " needs a value" + seeHelp);
    }
  }
  return parsed;
}

double parseNumber(const std::string& text, const std::string& what) {
  errno = 0;
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || errno != 0 || !std::isfinite(number)) {
    throw Failure(what + ": '" + text + "' is not a number");
  }
  return number;
}

long parseInteger(const std::string& text, const std::string& what) {
  errno = 0;
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || end != text.c_str() + text.size() || errno != 0) {
    throw Failure(what + ": '" + text + "' is not a whole number");
  }
  return number;
}
