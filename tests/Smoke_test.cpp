#include <gtest/gtest.h>
#include "app/Black.h"
TEST(Language, PlaceHolder) { EXPECT_EQ(vindrel::LanguageFromLangId(0x0406), "da"); }
