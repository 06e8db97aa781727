#include "app/MainStart.h"

#include <algorithm>

#include "app/DocumentOpen.h"
#include "app/EditActions.h"

namespace vornik {

void StartEditor(MainState& s, const SettingsStore& store) {
    s.edit = EditState{};
    s.doc = Document{};
    s.LVIcon.Clear();
    s.commands = CommandStates{};
    s.edit.PageControl1 = kIconPage;
    UpdatePageCommands(s, kIconPage);
    SetCaptionFile(s, "");
    s.settings = LoadSettings(store);
    s.HistoryMenu1.KeyName = kSettingsRoot;
    s.HistoryMenu1.SectionName = "recent";
    s.HistoryMenu1.HistoryNum = 8;
    s.HistoryMenu1.Activate(store);
    s.doc.IconSet = std::make_unique<TIconCurEX>();
    s.doc.IconSet->ResourceType = 1;
    s.doc.AniSet = std::make_unique<TAniEX>(static_cast<std::uint32_t>(std::max(s.settings.defrate, 0)));
}

void OpenCommandLine(MainState& s, const std::vector<std::string>& args) {
    if (!args.empty() && !args.front().empty()) OpenDocument(s, args.front());
}

void FinishEditor(MainState& s, SettingsStore& store) {
    SaveSettings(s.settings, store);
    s.HistoryMenu1.Deactivate(store);
    s.doc.ExeSet.reset();
    s.doc.IconSet.reset();
    s.doc.AniSet.reset();
}

}  // namespace vornik
