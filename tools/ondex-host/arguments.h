// Options in the conventional form: "--name value", "--name=value", flags,
// repeated options, "--" to end options, "-h"/"--help" everywhere.
#pragma once

#include <map>
#include <string>
#include <vector>

struct OptionDefinition {
  std::string name;  // without the leading dashes
  bool takesValue = true;
};

class ParsedOptions {
 public:
  bool has(const std::string& name) const { return values.count(name) != 0; }
  // The last value given, or the fallback.
  std::string value(const std::string& name, const std::string& fallback = "") const;
  // Every value given, in order.
  std::vector<std::string> all(const std::string& name) const;
  bool helpWanted = false;

 private:
  friend ParsedOptions parseOptions(const std::vector<std::string>&,
                                    const std::vector<OptionDefinition>&, const std::string&);
  std::map<std::string, std::vector<std::string>> values;
};

// Throws Failure naming the command for unknown options, missing values and
// stray arguments.
ParsedOptions parseOptions(const std::vector<std::string>& args,
                           const std::vector<OptionDefinition>& definitions,
                           const std::string& command);

// Whole-text numbers; throw Failure naming what was being read.
double parseNumber(const std::string& text, const std::string& what);
long parseInteger(const std::string& text, const std::string& what);
