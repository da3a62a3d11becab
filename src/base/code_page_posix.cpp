// Code page 936 through the C library's converter (the Linux build of the core).
#include <iconv.h>

#include <cerrno>
#include <cwchar>

#include "base/code_page.h"

namespace plakato {

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

}  // namespace

std::optional<std::string> EncodeCp936(std::wstring_view text) {
  Converter convert("CP936", "WCHAR_T");
  if (convert.get() == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(text.size() * 2, '\0');
  char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  size_t inLeft = text.size() * sizeof(wchar_t);
  char* dst = out.data();
  size_t outLeft = out.size();
  if (iconv(convert.get(), &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

std::wstring DecodeCp936(std::string_view bytes) {
  Converter convert("WCHAR_T", "CP936");
  std::wstring out;
  if (convert.get() == reinterpret_cast<iconv_t>(-1)) return out;
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  while (inLeft > 0) {
    wchar_t buffer[256];
    char* dst = reinterpret_cast<char*>(buffer);
    size_t outLeft = sizeof(buffer);
    size_t r = iconv(convert.get(), &in, &inLeft, &dst, &outLeft);
    out.append(buffer, (sizeof(buffer) - outLeft) / sizeof(wchar_t));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      // A byte (or a cut-off pair) without a meaning: mark it and go on.
      out.push_back(L'\uFFFD');
      size_t skip = (inLeft >= 2 && IsCp936LeadByte(static_cast<unsigned char>(*in))) ? 2 : 1;
      in += skip;
      inLeft -= skip;
    }
  }
  return out;
}

}  // namespace plakato
