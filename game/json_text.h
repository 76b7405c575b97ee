#pragma once
// Texts as JSON strings, for the headless driver's output.
#include <string>

// `text` (code page 1251) as a JSON string in UTF-8.
std::string JsonString(const std::string& cp1251);
// `bytes` as a JSON string: kept when they are valid UTF-8, else read as code page 1251.
std::string JsonPath(const std::string& bytes);
