// How a channel edit's text counts as a value.
#pragma once

// Only the first three characters count, read like atoi: leading blanks, an optional sign, then
// decimal digits; no digits give 0. So "2559" is 255, "12abc" is 12, "-1" is -1 and "" is 0.
int ChannelValueOf(const char* text);
