// 3D LUT downloads to the box.
#pragma once

// "load:" takes the rest of the word, from the byte behind the keyword
// counted from the word's first byte, as the file path.
constexpr int kLoadPathOffset = 5;

void CmdSetLut(const char *arg);
void CmdLoad(const char *arg);
