// The dialog templates as data: every control where the design puts it.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/TextFormat.h"
#include "res/DialogTemplate.h"
#include "tests/support/Golden.h"

TEST(DialogTemplates, EveryTemplateMatchesItsGoldenFile)
{
    std::string text;
    for (int id : res::TemplateIds()) {
        const res::DialogTemplate& t = res::FindTemplate(id);
        text += platform::TextFormat("%d \"%s\" %dx%d\n", t.id, t.caption, t.width, t.height);
        for (const res::ControlTemplate& c : t.controls)
            text += platform::TextFormat("  kind %d id %d \"%s\" %d,%d %dx%d style %u\n", static_cast<int>(c.kind), c.id,
                                         c.text, c.x, c.y, c.width, c.height, c.style);
    }
    ExpectGolden("golden/dialog-templates.txt", text);
    EXPECT_THROW(res::FindTemplate(135), std::out_of_range);
}
