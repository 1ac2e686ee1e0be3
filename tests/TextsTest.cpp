// The "<AppName>" placeholder pass and the credits lists.
#include <gtest/gtest.h>

#include <string>

#include "form/Texts.h"

namespace dw {
namespace {

TEST(ReplaceAppNameTest, Cases) {
  const struct {
    std::u16string text;
    std::u16string name;
    std::u16string result;
  } cases[] = {
      {u"<AppName>", u"Foo", u"Foo"},
      {u"More information about <AppName>", u"Foo", u"More information about Foo"},
      {u"<AppName> and <AppName>", u"Foo", u"Foo and Foo"},
      {u"<APPNAME> <appname> <aPpNaMe>", u"Foo", u"Foo Foo Foo"},
      {u"<AppName>", u"x<AppName>y", u"x<AppName>y"},
      {u"<AppName><AppName>", u"<App", u"<App<App"},
      {u"<<AppName>>", u"Foo", u"<Foo>"},
      {u"Installing <AppName>", u"", u"Installing "},
      {u"<AppName", u"Foo", u"<AppName"},
      {u"< AppName>", u"Foo", u"< AppName>"},
      {u"no placeholder", u"Foo", u"no placeholder"},
      {u"", u"Foo", u""},
      {u"\u00C4 <AppName> \u00E9", u"\u65E5\u672C", u"\u00C4 \u65E5\u672C \u00E9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceAppName(c.text, c.name), c.result) << "text of " << c.text.size() << " units";
  }
}

}  // namespace
}  // namespace dw
