// The templates of the two benchmark pages and of the progress window.
#include <gtest/gtest.h>

#include "res/DialogTemplate.h"

using res::ControlKind;

namespace {

void ExpectAt(const res::ControlTemplate* c, ControlKind kind, const std::string& text, int x, int y, int w, int h)
{
    ASSERT_NE(nullptr, c);
    EXPECT_EQ(kind, c->kind);
    EXPECT_EQ(text, c->text);
    EXPECT_EQ(x, c->x);
    EXPECT_EQ(y, c->y);
    EXPECT_EQ(w, c->width);
    EXPECT_EQ(h, c->height);
}

void ExpectLabel(const res::DialogTemplate& t, const std::string& text, int x, int y, int w, int h)
{
    const res::ControlTemplate* label = nullptr;
    for (const auto& c : t.controls)
        if (c.kind == ControlKind::Label && c.text == text) label = &c;
    ExpectAt(label, ControlKind::Label, text, x, y, w, h);
}

}  // namespace

TEST(BenchTemplates, ProgressWindowHasItsTextsAndBarAndNoCaption)
{
    const res::DialogTemplate& t = res::FindTemplate(res::IDD_BENCH_PROGRESS);
    EXPECT_EQ(229, t.width);
    EXPECT_EQ(122, t.height);
    EXPECT_EQ("", t.caption);
    EXPECT_TRUE(t.style & res::kNoCaption);
    EXPECT_TRUE(t.style & res::kDialogClientEdge);
    ASSERT_EQ(4u, t.controls.size());
    ExpectLabel(t, "Your system is being benchmarked", 58, 21, 112, 8);
    ExpectLabel(t, "Please, do not  move you mouse and do not press any keys.", 19, 37, 190, 8);
    ExpectLabel(t, "This may take up to 5 minutes.", 65, 53, 97, 8);
    const res::ControlTemplate* bar = t.FindControl(1001);
    ExpectAt(bar, ControlKind::ProgressBar, "", 42, 80, 144, 14);
    EXPECT_TRUE(bar->style & res::kSmooth);
    EXPECT_TRUE(bar->style & res::kBorder);
}

class BenchPageTemplate : public testing::TestWithParam<int> {};

TEST_P(BenchPageTemplate, HasTheSummaryBoxesListAndButtons)
{
    const res::DialogTemplate& t = res::FindTemplate(GetParam());
    EXPECT_EQ(GetParam() == res::IDD_CPU_BENCH ? "CPU Benchmark" : "FPU Benchmark", t.caption);
    EXPECT_EQ(360, t.width);
    EXPECT_EQ(242, t.height);
    EXPECT_TRUE(t.style & res::kChild);
    ExpectLabel(t, "Your System :", 8, 15, 44, 8);
    ExpectLabel(t, "Loaded System :", 7, 30, 54, 8);
    ExpectAt(t.FindControl(1015), ControlKind::ValueBox, "", 66, 13, 288, 12);
    ExpectAt(t.FindControl(1016), ControlKind::ValueBox, "", 66, 28, 288, 12);
    ExpectAt(t.FindControl(1017), ControlKind::ListView, "", 7, 46, 347, 174);
    EXPECT_TRUE(t.FindControl(1017)->style & res::kSingleSel);
    EXPECT_TRUE(t.FindControl(1017)->style & res::kNoSortHeader);
    EXPECT_EQ(GetParam() == res::IDD_CPU_BENCH, (t.FindControl(1017)->style & res::kTabStop) != 0);
    ExpectAt(t.FindControl(1021), ControlKind::Button, "&Benchmark", 84, 226, 56, 14);
    ExpectAt(t.FindControl(1022), ControlKind::Button, "&Load Results", 144, 226, 56, 14);
    ExpectAt(t.FindControl(1023), ControlKind::Button, "&Save Results", 204, 226, 56, 14);
    for (int id : {1021, 1022, 1023})  // saving waits for the first run
        EXPECT_EQ(id == 1023, (t.FindControl(id)->style & res::kDisabled) != 0) << id;
    EXPECT_EQ(8u, t.controls.size());
}

INSTANTIATE_TEST_SUITE_P(CpuAndFpu, BenchPageTemplate, testing::Values(res::IDD_CPU_BENCH, res::IDD_FPU_BENCH));
