#pragma once
// How a file of pictures or letters that the game cannot use is reported (UTF-8, in the words of
// the game's other messages): the file named in full, in the system's spelling, and what is
// wrong with it.
#include <stdexcept>
#include <string>

#include "platform/file_system.h"

inline std::runtime_error PictureFileError(const std::string& path, const std::string& what) {
  return std::runtime_error("Файл картинки «" + PathInUtf8(path) + "»: " + what + ".");
}

inline std::runtime_error FontFileError(const std::string& path) {
  return std::runtime_error("Файл шрифта «" + PathInUtf8(path) + "» не удаётся прочитать.");
}

// Why a picture file could not be read.
inline std::string PictureReadFailure(FileError error) {
  switch (error) {
    case FileError::kNotFound:
      return "файл не найден";
    case FileError::kTooLarge:
      return "файл слишком велик";
    default:
      return "файл не удаётся прочитать";
  }
}
