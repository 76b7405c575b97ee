#pragma once
// libjpeg reports fatal errors through error_exit; the game's reader and the art tool's writer
// jump back out of the library with the text instead of letting it end the program.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

struct JpegErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// Keeps the message and jumps to `jump` of the manager behind `info->err`.
inline void JpegErrorExit(j_common_ptr info) {
  auto* err = reinterpret_cast<JpegErrorManager*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings are not shown.
inline void JpegSilence(j_common_ptr, int) {}
