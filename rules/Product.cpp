#include "rules/Product.h"

std::string WindowCaption(std::string_view caption, bool muted) {
  std::string text(caption);
  if (muted) text += "　（消音中）";
  return text;
}
