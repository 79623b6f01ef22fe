#include "qstring_printer.h"
#include "text_encoding.h"

#include <gtest/gtest.h>

using namespace velmora;

// The same bytes on every system: Linux converts through ICU, Windows through
// its own tables, and a file written on one must read the same on the other.
TEST(TextEncoding, CodePage936IsTheSameOnEverySystem) {
    struct Case {
        const char* text;
        QByteArray bytes;
        bool readsBack;
    };
    const Case cases[] = {
        {"时间(min),降雨强度(mm/min)",
         "\xCA\xB1\xBC\xE4(min),\xBD\xB5\xD3\xEA\xC7\xBF\xB6\xC8(mm/min)", true},
        {"P=2年 T=120分钟 r=0.4", "P=2\xC4\xEA T=120\xB7\xD6\xD6\xD3 r=0.4", true},
        {"·€\r\n", "\xA1\xA4\x80\r\n", true},
        // Outside the page: Korean and an emoji become "?".
        {"한😀", "??", false},
        {"", "", true},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(EncodeCodePage936(text), c.bytes) << c.text;
        if (c.readsBack) {
            EXPECT_EQ(DecodeTextFile(c.bytes), text) << c.text;
        }
    }
}
