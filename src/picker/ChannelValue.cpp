#include "picker/ChannelValue.h"

#include <cstdlib>
#include <cstring>

int ChannelValueOf(const char* text) {
  char firstThree[4] = {};
  std::strncpy(firstThree, text, 3);
  return std::atoi(firstThree);
}
