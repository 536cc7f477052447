// The filter configuration and word entry dialogs on the fake host, as a parent uses them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_data_directory.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_scan_timer.h"
#include "fakes/framework/fake_dialog_host.h"
#include "resource.h"
#include "rules/builtin_phrases.h"
#include "rules/profile_values.h"
#include "ui/filter_config_dlg.h"
#include "unit/ui/stand_in_panel.h"

namespace tevanor::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kWordFile = "Tevanor.fil";
// Stored in this order: "uno" (ignore case), "Dos" (case-sensitive), "tres" (ignore case).
const std::string kStoredWords =
    "uno\x08"
    "Dos\x09"
    "tres\x08";

class FilterConfig : public ::testing::Test {
 public:
  void SetUp() override {
    files.Put(kWordFile, kStoredWords);
    state.m_nProtLevel = 0;
    words.RebuildPhraseList(true, true, true, 0);
    panel = OpenModeless<StandInPanel>(host, nullptr);
    Open();
  }
  void Open() {
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
  std::vector<int> Images() const {
    std::vector<int> images;
    const ListItems& items = Window().Control(IDC_FILTER_LIST).items;
    for (int row = 0; row < items.RowCount(); ++row) images.push_back(items.RowImage(row));
    return images;
  }
  std::vector<std::string> UserPhrases() const {
    std::vector<std::string> texts;
    for (const PhraseEntry* e = state.phrases.FirstUser(); e != nullptr; e = e->next)
      texts.push_back(e->text);
    return texts;
  }
  bool Shown(int id) const { return Window().IsControlVisible(id); }
  // The settings written, without the data files' stamps.
  std::vector<std::pair<std::string, FakeProfile::Value>> Settings() const {
    std::vector<std::pair<std::string, FakeProfile::Value>> settings;
    for (const auto& w : profile.writes)
      if (!w.first.starts_with("Tevanor.")) settings.push_back(w);
    return settings;
  }
  void ClickRows(std::initializer_list<int> list) {
    host.Then([this, rows = std::vector<int>(list)] {
      for (int i = 0; i < Window().ListCount(IDC_FILTER_LIST); ++i)
        Window().ListSelect(IDC_FILTER_LIST, i, false);
      for (int row : rows) Window().ListSelect(IDC_FILTER_LIST, row, true);
      dialog->Send(ListNotification{IDC_FILTER_LIST, ListNotification::Kind::kClick,
                                    rows.empty() ? -1 : rows.front()});
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

// Opening lists only the parent's words, the last stored first, with the image of their case
// rule; the level's radio and the two boxes mirror the guardian. Esc leaves it open.
TEST_F(FilterConfig, OpensWithTheParentsWordsNewestFirstAndIgnoresEscape) {
  EXPECT_THAT(Rows(), ElementsAre("tres", "Dos", "uno"));
  EXPECT_THAT(Images(), ElementsAre(2, 1, 2));
  EXPECT_TRUE(Window().IsChecked(IDC_LEVEL_MEDIUM));
  EXPECT_FALSE(Window().IsChecked(IDC_LEVEL_TOTAL));
  EXPECT_EQ(Window().IsChecked(IDC_MIRC_CHAT), state.m_bMircChat != 0);
  EXPECT_TRUE(Shown(IDC_FILTER_EMPTY));
  EXPECT_FALSE(Shown(IDC_FILTER_DELETE));
  EXPECT_EQ(Window().ToolTip(IDC_FILTER_ADD), "Agrega una nueva palabra");
  host.PressEscape(dialog);
  host.Run();
  EXPECT_NE(dialog, nullptr);
}

// The word entry shows "Agrega" only for a non-empty text; Enter on an empty text and Esc add
// nothing; a word is added at the bottom, as typed, with the new-row image.
TEST_F(FilterConfig, WordEntryAddsTheTypedWordAtTheBottom) {
  host.Click(IDC_FILTER_ADD, dialog)
      .Then([this] {
        EXPECT_FALSE(host.WindowOf(*host.Dialogs(IDD_WORD_ENTRY)[0]).IsControlVisible(kIdOk));
      })
      .Type(IDC_WORD_EDIT, "x")
      .Then([this] {
        EXPECT_TRUE(host.WindowOf(*host.Dialogs(IDD_WORD_ENTRY)[0]).IsControlVisible(kIdOk));
      })
      .Type(IDC_WORD_EDIT, "")
      .PressEnter();
  host.Click(IDC_FILTER_ADD, dialog).Type(IDC_WORD_EDIT, "olvidada").PressEscape();
  host.Click(IDC_FILTER_ADD, dialog).Type(IDC_WORD_EDIT, "olvidada").Click(IDC_WORD_CANCEL);
  host.Run();
  EXPECT_THAT(Rows(), ElementsAre("tres", "Dos", "uno"));
  EXPECT_EQ(dialog->m_bModified, 0);

  AddWord(" Mala Palabra ");
  host.Run();
  EXPECT_THAT(Rows(), ElementsAre("tres", "Dos", "uno", " Mala Palabra "));
  EXPECT_EQ(Images().back(), 5);
  EXPECT_EQ(dialog->m_bModified, 1);
}

// What "Aceptar" and "Cancela" leave behind: the word file (rows top to bottom, built-in rows
// never), the three settings and the rebuilt phrase list.
TEST_F(FilterConfig, AcceptWritesTheRowsAndSettingsCancelWritesNothing) {
  struct Case {
    const char* what;
    std::function<void(FilterConfig&)> act;
    int closeWith;
    std::string file;
    std::vector<std::pair<std::string, FakeProfile::Value>> writes;
  };
  const std::vector<Case> cases = {
      {"a level alone rewrites the file in list order",
       [](FilterConfig& t) { t.host.Click(IDC_LEVEL_TOTAL, t.dialog); },
       IDC_FILTER_ACCEPT,
       "tres\x08"
       "Dos\x09"
       "uno\x08",
       {{"MircChat", 1}, {"JavaChat", 0}, {"NivelProt", -1}}},
      {"the boxes alone leave the file",
       [](FilterConfig& t) {
         t.host.Click(IDC_MIRC_CHAT, t.dialog).Click(IDC_JAVA_CHAT, t.dialog);
       },
       IDC_FILTER_ACCEPT,
       kStoredWords,
       {{"MircChat", 0}, {"JavaChat", 1}, {"NivelProt", 0}}},
      {"the same radio again still rewrites",
       [](FilterConfig& t) { t.host.Click(IDC_LEVEL_MEDIUM, t.dialog); },
       IDC_FILTER_ACCEPT,
       "tres\x08"
       "Dos\x09"
       "uno\x08",
       {{"MircChat", 1}, {"JavaChat", 0}, {"NivelProt", 0}}},
      {"level off",
       [](FilterConfig& t) { t.host.Click(IDC_LEVEL_OFF, t.dialog); },
       IDC_FILTER_ACCEPT,
       "tres\x08"
       "Dos\x09"
       "uno\x08",
       {{"MircChat", 1}, {"JavaChat", 0}, {"NivelProt", 1}}},
      {"a new word and a deleted one",
       [](FilterConfig& t) {
         t.AddWord("nueva");
         t.ClickRows({1});
         t.host.Click(IDC_FILTER_DELETE, t.dialog);
       },
       IDC_FILTER_ACCEPT,
       "tres\x08uno\x08nueva\x08",
       {{"MircChat", 1}, {"JavaChat", 0}, {"NivelProt", 0}}},
      {"cancel discards everything",
       [](FilterConfig& t) {
         t.AddWord("nueva");
         t.host.Click(IDC_LEVEL_TOTAL, t.dialog).Click(IDC_MIRC_CHAT, t.dialog);
       },
       IDC_FILTER_CANCEL,
       kStoredWords,
       {}},
  };
  for (const Case& c : cases) {
    files.Put(kWordFile, kStoredWords);
    state.m_nProtLevel = 0;
    state.m_bMircChat = 1;
    state.m_bJavaChat = 0;
    profile.writes.clear();
    words.RebuildPhraseList(true, true, true, 0);
    if (dialog == nullptr) Open();
    c.act(*this);
    host.Click(c.closeWith, dialog);
    host.Run();
    EXPECT_EQ(dialog, nullptr) << c.what;
    EXPECT_EQ(files.Content(kWordFile), c.file) << c.what;
    EXPECT_EQ(Settings(), c.writes) << c.what;
    // The list in memory follows the file and the level.
    std::vector<std::string> expected;
    for (std::size_t at = 0; at < c.file.size();) {
      const std::size_t end = c.file.find_first_of("\x08\x09", at);
      expected.push_back(c.file.substr(at, end - at));
      at = end + 1;
    }
    EXPECT_EQ(UserPhrases(), expected) << c.what;
    std::size_t builtIn = 0;
    for (const PhraseEntry* e = state.phrases.First(); e != nullptr; e = e->next)
      builtIn += e->builtIn ? 1 : 0;
    EXPECT_EQ(builtIn, BuiltInPhraseCount(state.m_nProtLevel)) << c.what;
  }
}

// The hidden reveal lists the built-in phrases on the 21st consecutive press, once, beside the
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
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), builtIn + 3);
    EXPECT_THAT(std::vector<std::string>(rows.begin(), rows.begin() + 3),
                ElementsAre("tres", "Dos", "uno"));
    EXPECT_EQ(Images()[3], 3);
  });
  ClickRows({0, 3});
  host.Then([&] { EXPECT_TRUE(Shown(IDC_FILTER_DELETE)); });
  host.Click(IDC_FILTER_DELETE, dialog);
  host.Then([&] {
    EXPECT_EQ(Rows().size(), builtIn + 2);
    EXPECT_FALSE(Shown(IDC_FILTER_DELETE));
  });
  host.Click(IDC_FILTER_EMPTY, dialog);
  host.Then([&] { EXPECT_EQ(Rows().size(), builtIn); });
  AddWord("propia");
  host.Click(IDC_FILTER_ACCEPT, dialog);
  host.Run();
  EXPECT_EQ(files.Content(kWordFile), "propia\x08");
}

// Deleting the last row hides "Vaciar" and "Borrar"; a click on nothing hides "Borrar".
TEST_F(FilterConfig, DeleteAndEmptyButtonsFollowTheRows) {
  ClickRows({0});
  ClickRows({});
  host.Then([&] { EXPECT_FALSE(Shown(IDC_FILTER_DELETE)); });
  ClickRows({0, 1, 2});
  host.Click(IDC_FILTER_DELETE, dialog);
  host.Run();
  EXPECT_THAT(Rows(), IsEmpty());
  EXPECT_FALSE(Shown(IDC_FILTER_EMPTY));
  EXPECT_FALSE(Shown(IDC_FILTER_DELETE));
  AddWord("otra");
  host.Run();
  EXPECT_TRUE(Shown(IDC_FILTER_EMPTY));
}

// A save that cannot replace the word file says so, keeps the file whole and leaves the
// dialog open with the parent's rows; the next "Aceptar" saves.
TEST_F(FilterConfig, FailedSaveIsReportedAndKeepsTheDialogOpen) {
  files.failReplace = true;
  AddWord("nueva");
  host.Click(IDC_FILTER_ACCEPT, dialog).Answer(kIdOk);
  host.Run();
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0].text, "No se pudo guardar la lista de palabras.");
  ASSERT_NE(dialog, nullptr);
  EXPECT_THAT(Rows(), ElementsAre("tres", "Dos", "uno", "nueva"));
  EXPECT_EQ(files.Content(kWordFile), kStoredWords);
  EXPECT_THAT(UserPhrases(), ElementsAre("uno", "Dos", "tres"));

  files.failReplace = false;
  host.Click(IDC_FILTER_ACCEPT, dialog);
  host.Run();
  EXPECT_EQ(dialog, nullptr);
  EXPECT_THAT(UserPhrases(), ElementsAre("tres", "Dos", "uno", "nueva"));
}

// The panel hides with command 1009: the dialog closes and nothing is saved.
TEST_F(FilterConfig, PanelsCloseCommandDiscardsTheChanges) {
  AddWord("nueva");
  host.Then([&] { dialog->Post(Command{kCommandCloseUnsaved, kButtonClicked, false}); });
  host.Run();
  EXPECT_EQ(dialog, nullptr);
  EXPECT_EQ(files.Content(kWordFile), kStoredWords);
  EXPECT_THAT(Settings(), IsEmpty());
}

}  // namespace
}  // namespace tevanor::testing
