#pragma once
// The temporary file a write goes through before it replaces the file it is for, named so that
// a player who finds one left by a killed game sees what it is: "victim.ksv.saving-4711.tmp"
// for a write of "victim.ksv" by process 4711. The next write of the same file removes those
// whose process has ended.
#include <cstddef>
#include <optional>
#include <string>

inline constexpr char kUnfinishedMiddle[] = ".saving-";
inline constexpr char kUnfinishedEnd[] = ".tmp";

// The temporary file of a write of the file named `name` by process `process`.
inline std::string UnfinishedWriteName(const std::string& name, unsigned long process) {
  return name + kUnfinishedMiddle + std::to_string(process) + kUnfinishedEnd;
}

// The process that wrote `entry` when it is a temporary file of a write of the file named
// `name` (names without their folder), else nothing.
inline std::optional<unsigned long> UnfinishedWriter(const std::string& entry,
                                                     const std::string& name) {
  const std::string start = name + kUnfinishedMiddle;
  const std::string end = kUnfinishedEnd;
  if (entry.size() <= start.size() + end.size() || entry.compare(0, start.size(), start) != 0 ||
      entry.compare(entry.size() - end.size(), end.size(), end) != 0) {
    return std::nullopt;
  }
  const std::string digits = entry.substr(start.size(), entry.size() - start.size() - end.size());
  if (digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  return std::stoul(digits);
}
