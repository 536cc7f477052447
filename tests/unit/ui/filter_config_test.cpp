// The filter configuration and word entry dialogs on the fake host, as a parent uses them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_scan_timer.h"
#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "rules/builtin_phrases.h"
#include "ui/filter_config_dlg.h"
#include "unit/ui/stand_in_panel.h"

namespace tevanor::testing {
namespace {

using ::testing::ElementsAre;

constexpr std::string_view kWordFile = "Tevanor.fil";
// "uno" and "tres" ignore case, "Dos" does not; the dialog lists and saves them newest first.
const std::string kStoredWords = "uno\bDos\ttres\b";
const std::string kListOrder = "tres\bDos\tuno\b";

class FilterConfig : public ::testing::Test {
 public:
  void SetUp() override {
    panel = OpenModeless<StandInPanel>(host, nullptr);
    Reset();
  }
  // The stored words and settings as at the start, and the dialog open on them.
  void Reset() {
    files.Put(kWordFile, kStoredWords);
    state.m_nProtLevel = 0;
    state.m_bMircChat = 1;
    state.m_bJavaChat = 0;
    profile.writes.clear();
    words.RebuildPhraseList(0);
    OpenSingleFrom(dialog, host, panel, [&] {
      return std::make_unique<CFilterConfigDlg>(host, *panel,
                                                FilterConfigData{state, words, profile});
    });
  }
  FakeWindow& Window() const { return host.WindowOf(*dialog); }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < Window().ListCount(IDC_FILTER_LIST); ++i)
      rows.push_back(Window().ListText(IDC_FILTER_LIST, i, 0));
    return rows;
  }
  int Image(int row) const { return Window().Control(IDC_FILTER_LIST).items.RowImage(row); }
  std::vector<std::string> UserPhrases() const {
    std::vector<std::string> texts;
    for (const PhraseEntry* e = state.phrases.FirstUser(); e != nullptr; e = e->next)
      texts.push_back(e->text);
    return texts;
  }
  void ClickRows(std::vector<int> rows) {
    host.Then([this, rows] {
      for (int i = 0; i < Window().ListCount(IDC_FILTER_LIST); ++i)
        Window().ListSelect(IDC_FILTER_LIST, i, false);
      for (int row : rows) Window().ListSelect(IDC_FILTER_LIST, row, true);
      dialog->Send(ListNotification{IDC_FILTER_LIST, ListNotification::Kind::kClick, -1});
    });
  }
  void PressKeys(unsigned key, int times) {
    host.Then([this, key, times] {
      for (int i = 0; i < times; ++i)
        dialog->Send(ListNotification{IDC_FILTER_LIST, ListNotification::Kind::kKeyDown, 0, key});
    });
  }
  void AddWord(const std::string& word) {
    host.Click(IDC_FILTER_ADD, dialog).Type(IDC_WORD_EDIT, word).PressEnter();
  }

  FakeDataDirectory files;
  FakeProfile profile;
  FakeScanTimer scan;
  GuardState state;
  PhraseStore words{state.phrases, files, profile, scan};
  FakeDialogHost host;
  StandInPanel* panel = nullptr;
  CFilterConfigDlg* dialog = nullptr;
};

// What each way out leaves behind: the word file (rows top to bottom), the three settings and
// the phrase list rebuilt from the file at the chosen level.
TEST_F(FilterConfig, AcceptWritesTheRowsAndSettingsCancelAndThePanelWriteNothing) {
  constexpr int kAddNueva = -1, kSelectSecondRow = -2, kPanelHides = -3;  // besides clicks
  const struct {
    const char* what;
    std::vector<int> steps;
    std::string file;
    std::vector<int> settings;  // MircChat, JavaChat, NivelProt; empty: none written
  } cases[] = {
      // clang-format off
      {"a level alone rewrites the file in list order", {IDC_LEVEL_TOTAL, IDC_FILTER_ACCEPT},
       kListOrder, {1, 0, -1}},
      {"the boxes alone leave the file", {IDC_MIRC_CHAT, IDC_JAVA_CHAT, IDC_FILTER_ACCEPT},
       kStoredWords, {0, 1, 0}},
      {"level off", {IDC_LEVEL_OFF, IDC_FILTER_ACCEPT}, kListOrder, {1, 0, 1}},
      {"a new word and a deleted one",
       {kAddNueva, kSelectSecondRow, IDC_FILTER_DELETE, IDC_FILTER_ACCEPT}, "tres\buno\bnueva\b",
       {1, 0, 0}},
      {"cancel discards everything",
       {kAddNueva, IDC_LEVEL_TOTAL, IDC_MIRC_CHAT, IDC_FILTER_CANCEL}, kStoredWords, {}},
      {"the panel's hiding discards everything", {kAddNueva, IDC_LEVEL_TOTAL, kPanelHides},
       kStoredWords, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    for (const int step : c.steps) {
      if (step == kAddNueva) {
        AddWord("nueva");
      } else if (step == kSelectSecondRow) {
        ClickRows({1});
      } else if (step == kPanelHides) {
        host.Then([&] {
          dialog->Post(Command{kCommandCloseUnsaved, ControlNotification::kClicked, false});
        });
      } else {
        host.Click(step, dialog);
      }
    }
    host.Run();
    EXPECT_EQ(dialog, nullptr);
    EXPECT_EQ(files.Content(kWordFile), c.file);
    std::vector<std::pair<std::string, FakeProfile::Value>> writes;
    if (!c.settings.empty())
      writes = {
          {"MircChat", c.settings[0]}, {"JavaChat", c.settings[1]}, {"NivelProt", c.settings[2]}};
    std::erase_if(profile.writes, [](const auto& w) { return w.first.starts_with("Tevanor."); });
    EXPECT_EQ(profile.writes, writes);
    // The list in memory follows the file and the level.
    std::vector<std::string> expected;
    for (std::size_t at = 0, end; at < c.file.size(); at = end + 1)
      expected.push_back(c.file.substr(at, (end = c.file.find_first_of("\b\t", at)) - at));
    EXPECT_EQ(UserPhrases(), expected);
    const auto level = static_cast<std::uint8_t>(c.settings.empty() ? 0 : c.settings[2]);
    EXPECT_EQ(state.m_nProtLevel, level);
    std::size_t builtIn = 0;
    for (const PhraseEntry* e = state.phrases.First(); e != nullptr; e = e->next)
      builtIn += e->builtIn ? 1 : 0;
    EXPECT_EQ(builtIn, BuiltInPhraseCount(level));
  }
}

// The hidden reveal lists the built-in phrases on the 21st consecutive press, beside the
// parent's words listed once; "Vaciar" and "Borrar" never remove those rows and "Aceptar" never
// writes them.
TEST_F(FilterConfig, RevealListsBuiltInRowsThatAreNeverDeletedNorSaved) {
  const std::size_t builtIn = BuiltInPhraseCount(0);
  PressKeys(CFilterConfigDlg::kRevealKey, 20);
  PressKeys('X', 1);
  PressKeys(CFilterConfigDlg::kRevealKey, 20);
  host.Then([&] { EXPECT_EQ(Rows().size(), 3u); });
  PressKeys(CFilterConfigDlg::kRevealKey, 1);
  host.Then([&] {
    ASSERT_EQ(Rows().size(), builtIn + 3);
    EXPECT_EQ(Rows()[2], "uno");
    EXPECT_EQ(Image(3), 3);
  });
  ClickRows({0, 3});
  host.Click(IDC_FILTER_DELETE, dialog);
  host.Then([&] { EXPECT_EQ(Rows().size(), builtIn + 2); });
  host.Click(IDC_FILTER_EMPTY, dialog);
  host.Then([&] { EXPECT_EQ(Rows().size(), builtIn); });
  AddWord("propia");
  host.Click(IDC_FILTER_ACCEPT, dialog);
  host.Run();
  EXPECT_EQ(files.Content(kWordFile), "propia\b");
}

// A save that cannot write the word file says so, keeps the file whole and leaves the
// dialog open with the parent's rows; the next "Aceptar" saves.
TEST_F(FilterConfig, FailedSaveIsReportedAndKeepsTheDialogOpen) {
  files.HoldOpen(kWordFile);
  AddWord("nueva");
  host.Click(IDC_FILTER_ACCEPT, dialog).Answer(kIdOk);
  host.Run();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(files.Content(kWordFile), kStoredWords);
  EXPECT_THAT(UserPhrases(), ElementsAre("uno", "Dos", "tres"));
  files.Release(kWordFile);
  host.Click(IDC_FILTER_ACCEPT, dialog);
  host.Run();
  EXPECT_EQ(dialog, nullptr);
  EXPECT_THAT(UserPhrases(), ElementsAre("tres", "Dos", "uno", "nueva"));
}

}  // namespace
}  // namespace tevanor::testing
