#include "app/app_text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace plakato {
namespace {

TEST(ApplicationTitle, CutsBeforeTheFirstDotAndLowersAllButTheFirstCharacter) {
  EXPECT_EQ(ApplicationTitle(L"C:\\Program Files\\Plakato\\plakato.exe"), L"plakato");
  EXPECT_EQ(ApplicationTitle(L"C:\\Tools\\PLAKATO.EXE"), L"Plakato");
  EXPECT_EQ(ApplicationTitle(L"D:\\x.y\\My.Tool.v2.exe"), L"My");
  EXPECT_EQ(ApplicationTitle(L"Z:/build/bin/PlakatoTests.exe"), L"Plakatotests");
  EXPECT_EQ(ApplicationTitle(L"noext"), L"noext");
  EXPECT_EQ(ApplicationTitle(L"D:PLAKATO.EXE"), L"Plakato");  // a drive without a folder
  EXPECT_EQ(ApplicationTitle(L"C:\\a\\.hidden"), L"");
}

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersAboveTheDot) {
  EXPECT_EQ(ErrorBoxText(L"Cannot create file \"C:\\a.jpg\". Access is denied"),
            L"Cannot create file \"C:\\a.jpg\". Access is denied.");
  EXPECT_EQ(ErrorBoxText(L"'abc' is not a valid integer value"), L"'abc' is not a valid integer value.");
  // "." itself and everything below it keep the message as it stands.
  EXPECT_EQ(ErrorBoxText(L"Done."), L"Done.");
  EXPECT_EQ(ErrorBoxText(L"Stop!"), L"Stop!");
  EXPECT_EQ(ErrorBoxText(L"(see above)"), L"(see above)");
  EXPECT_EQ(ErrorBoxText(L"trailing space "), L"trailing space ");
  EXPECT_EQ(ErrorBoxText(L"a-"), L"a-");
  // "/" and digits sort above ".", and so does any Chinese character.
  EXPECT_EQ(ErrorBoxText(L"path/"), L"path/.");
  EXPECT_EQ(ErrorBoxText(L"JPEG error #9"), L"JPEG error #9.");
  EXPECT_EQ(ErrorBoxText(L"文件不存在"), L"文件不存在.");
  EXPECT_EQ(ErrorBoxText(L""), L"");
}

TEST(AboutText, HasSevenLinesSeparatedByBareCarriageReturns) {
  const std::wstring& text = AboutText();
  EXPECT_EQ(text.find(L'\n'), std::wstring::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), L'\r'), 6);
  EXPECT_EQ(text, L"\r     Plakato               \r\r   制作：Tamberlo\r\r\r        欢迎使用");
}

}  // namespace
}  // namespace plakato
