// The real file dialogs behind the pages: the path the user typed is the one used, and one question,
// Vext's own, comes before an existing file is replaced, whether or not the name was typed with its extension.
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "app/WxPrompt.h"
#include "tests/gui/GuiSupport.h"

using namespace app;

using namespace widgets;

namespace {

// Answers the file dialog with `path` as if typed, and every question with `answer`, recording the questions.
guitest::ModalScript Answer(std::vector<std::string>& questions, const std::string& path, int answer)
{
    return guitest::ModalScript([&questions, path = wxString::FromUTF8(path), answer](wxDialog* dialog) {
        if (auto* file = wxDynamicCast(dialog, wxFileDialog)) {
            EXPECT_TRUE(file->GetMessage() == "Save Results" && !file->HasFdFlag(wxFD_OVERWRITE_PROMPT));
            file->SetPath(path);
            // GTK takes the typed path over on its next turns; wait for it, bounded.
            for (int i = 0; i < 200 && file->GetPath() != path; ++i) wxTheApp->Yield(true), wxMilliSleep(5);
            return static_cast<int>(wxID_OK);
        }
        if (auto* box = wxDynamicCast(dialog, wxMessageDialog)) questions.emplace_back(box->GetMessage().utf8_str());
        return answer;
    });
}

}  // namespace

TEST(WxPrompt, UsesTheTypedPathAndAsksBeforeReplacingAFileNamedWithoutItsExtension)
{
    guitest::TempFolder dir;
    std::filesystem::create_directory(dir.Path() / "sub");
    std::ofstream(dir.File("sub/victim.cpu")) << "kept";
    std::ofstream(dir.File("victim.cpu")) << "kept";
    const FileDialogRequest request{"Bench Files (*.cpu)|*.cpu|All Files (*.*)|*.*||", "cpu", true, false, "Save Results"};
    const struct {
        std::string typed;
        int answer;  // to the question whether to replace a file
        std::optional<std::string> chosen;
        bool asked;
    } cases[] = {
        {dir.File("sub/victim.cpu"), wxID_YES, dir.File("sub/victim.cpu"), true},  // a typed sub-folder path
        {dir.File("victim.cpu"), wxID_NO, std::nullopt, true},
        {dir.File("victim"), wxID_NO, std::nullopt, true},
        {dir.File("victim"), wxID_YES, dir.File("victim.cpu"), true},
        {dir.File("new"), wxID_NO, dir.File("new.cpu"), false},
    };
    for (const auto& c : cases) {
        std::vector<std::string> questions;
        const guitest::ModalScript script = Answer(questions, c.typed, c.answer);
        EXPECT_EQ(c.chosen, CWxPrompt().AskSavePath(request)) << c.typed;
        ASSERT_EQ(c.asked ? 1u : 0u, questions.size()) << c.typed;
        EXPECT_TRUE(!c.asked || questions[0].find("victim.cpu already exists") != std::string::npos) << c.typed;
    }
    std::vector<std::string> questions;
    const guitest::ModalScript script = Answer(questions, dir.File("sub/victim.cpu"), wxID_YES);
    EXPECT_EQ(dir.File("sub/victim.cpu"), CWxPrompt().AskOpenPath(request).value_or("cancelled"));
    EXPECT_TRUE(CWxPrompt().AskYesNo("Close?") && questions == std::vector<std::string>{"Close?"});
    EXPECT_EQ("a.b/c.cpu", WithDefaultExtension("a.b/c", "cpu"));  // a dot in a folder's name is no extension
}
