#include "app/Commands.h"

namespace vornik {

namespace {

using P = CommandPlace;

CommandInfo Item(std::string_view menu, std::string_view name, std::string_view caption,
                 std::string_view hint, int help, std::string_view shortcut = {},
                 bool separatorBefore = false, int tag = -1) {
    CommandInfo c;
    c.name = name;
    c.caption = caption;
    c.shortcut = shortcut;
    c.hint = hint;
    c.helpContext = help;
    c.place = P::Menu;
    c.menu = menu;
    c.tag = tag;
    c.separatorBefore = separatorBefore;
    return c;
}

CommandInfo Button(P place, std::string_view name, std::string_view label, std::string_view hint,
                   std::string_view sameAs, int tag = -1, bool separatorBefore = false) {
    CommandInfo c;
    c.name = name;
    c.caption = label;
    c.hint = hint;
    c.place = place;
    c.sameAs = sameAs;
    c.tag = tag;
    c.separatorBefore = separatorBefore;
    return c;
}

std::vector<CommandInfo> BuildTable() {
    std::vector<CommandInfo> t = {
        // File
        Item("File1", "New1", "新規作成(&N)", "新規作成", 10004, "Ctrl+N"),
        Item("File1", "Open1", "開く(&O)...", "ファイルを開きます", 10005, "Ctrl+O"),
        Item("File1", "Save1", "上書き保存(&S)", "上書き保存します", 10006, "Ctrl+S"),
        Item("File1", "SaveAs1", "名前をつけて保存(&A)...", "名前を付けて保存します", 10007, "Ctrl+Shift+S"),
        Item("File1", "mnu_allsave", "一括保存(&B)...", "", 0, {}, true),
        Item("File1", "inport1", "ｲﾝﾎﾟｰﾄ(&I)...", "ファイルからリソースを取り込みます", 10009, {}, true),
        Item("File1", "export1", "ｴｸｽﾎﾟｰﾄ(&E)...", "ファイルにリソースを保存します", 10010),
        Item("File1", "mnu_exegroup", "このグループを現在のアイコンで置き換えて保存(&G)...",
             "実行ファイルのこのグループを編集中のアイコンに置き換え、別名で保存します", 0),
        Item("File1", "Exit1", "終了(&X)", "プログラムを終了します", 10011, "Ctrl+Q", true),
        // View
        Item("View1", "tlbar1", "ツールバー(&T)", "ツールバーの表示を切り替えます", 10013),
        Item("View1", "stbar1", "ステータスバー(&S)", "ｽﾃｰﾀｽﾊﾞｰの表示を切り替えます", 10014),
        Item("View1", "mnu_editpanelview", "編集パネル(&E)", "編集パネルの表示を切り替えます", 10015),
        Item("View1", "view1", "大きいアイコン", "", 10016, {}, true, 0),
        Item("View1", "view2", "小さいアイコン", "", 10016, {}, false, 1),
        Item("View1", "view3", "一覧", "", 10016, {}, false, 2),
        Item("View1", "view4", "詳細", "", 10016, {}, false, 3),
        Item("View1", "m_iconchk", "アイコンチェック(&C)...", "アイコンの透明領域を確認します。", 0, {},
             true),
        // Edit
        Item("Edit1", "Undo1", "元に戻す(&Z)", "直前の編集を取り消します", 10018, "Ctrl+Z"),
        Item("Edit1", "Redo1", "やり直し(&Y)", "取り消した編集をやり直します", 10018, "Ctrl+Y"),
        Item("Edit1", "Cut1", "切り取り(&T)", "", 10018, "Ctrl+X", true),
        Item("Edit1", "Copy1", "ｺﾋﾟｰ(&C)", "", 10018, "Ctrl+C"),
        Item("Edit1", "Paste1", "貼り付け(&P)", "", 10018, "Ctrl+V"),
        Item("Edit1", "mnu_bmpget", "ﾋﾞｯﾄﾏｯﾌﾟ取り込み(&B)", "ﾋﾞｯﾄﾏｯﾌﾟを取り込みます", 10069, {}, true),
        Item("Edit1", "mnu_convert", "ﾘｿｰｽ変換(&O)", "リソースの種類・サイズ・色数を変更します", 10070),
        Item("Edit1", "mnu_iconrep", "ﾘｿｰｽ更新(&U)", "リソースの置き換え", 10072, "Ctrl+U"),
        Item("Edit1", "mnu_iconadd", "ﾘｿｰｽの追加(&A)", "リソースの挿入", 10071),
        // Edit, rotation submenu (mnu_rotate sits between mnu_iconadd and mnu_maskinv)
        Item("mnu_rotate", "mnu_r180", "180度(&1)", "180度回転", 10031),
        Item("mnu_rotate", "mnu_r90", "右に90度回転(&R)", "右に90度回転", 10032, "Ctrl+R"),
        Item("mnu_rotate", "mnu_l90", "左に90度回転(&L)", "左に90度回転します", 10033, "Ctrl+Shift+R"),
        Item("mnu_rotate", "mnu_rotimage", "角度入力...", "任意の角度に回転をします", 10034),
        Item("mnu_rotate", "mnu_flip", "上下方向に反転", "上下方向に反転", 10035, "Shift+V", true),
        Item("mnu_rotate", "mnu_millor", "左右方向に反転", "左右方向に反転", 10036, "Shift+H"),
        Item("Edit1", "mnu_maskinv", "ﾏｽｸの反転'(&M)", "ﾏｽｸの反転", 10037),
        Item("Edit1", "mnu_maskfill", "ﾏｽｸの塗りつぶし(&F)", "ﾏｽｸの塗りつぶし", 10038),
        Item("Edit1", "iconauto", "ｱｲｺﾝの自動補完(&I)", "アイコン自動補完", 10039, {}, true),
        Item("Edit1", "mnu_bitmapzoom", "ビットマップの拡大・縮小(&Z)...", "", 10040),
        // Option: a command of the menu bar itself
        Item("", "Option1", "ｵﾌﾟｼｮﾝ(&O)", "ｵﾌﾟｼｮﾝを設定します", 10041),
        // Help
        Item("Help1", "Contents1", "目次(&C)", "", 10042),
        Item("Help1", "SearchforHelpOn1", "ﾄﾋﾟｯｸの検索(&S)...", "ﾄﾋﾟｯｸを検索します", 10042),
        Item("Help1", "HowtoUseHelp1", "ﾍﾙﾌﾟの使い方(&H)", "ヘルプの使い方を表示します", 10042),
        Item("Help1", "About1", "ﾊﾞｰｼﾞｮﾝ情報(&A)...", "プログラムのバージョンを表示します", 10042, {}, true),

        // Tool bar "Vornik"
        Button(P::ToolBar, "tbnew", "新規", "新規作成", "New1"),
        Button(P::ToolBar, "tbopen", "開く", "ファイルを開く", "Open1"),
        Button(P::ToolBar, "tbsave", "保存", "ファイルの保存", "Save1"),
        Button(P::ToolBar, "tbundo", "戻す", "元に戻す", "Undo1", -1, true),
        Button(P::ToolBar, "tbredo", "やり直し", "やり直し", "Redo1"),
        Button(P::ToolBar, "tbcut", "切取", "切り取り", "Cut1", -1, true),
        Button(P::ToolBar, "tbcopy", "ｺﾋﾟｰ", "コピー", "Copy1"),
        Button(P::ToolBar, "tbpaste", "貼付", "貼り付け", "Paste1"),
        Button(P::ToolBar, "tbview1", "大", "大きいｱｲｺﾝ", "view1", 0, true),
        Button(P::ToolBar, "tbview2", "小", "小さいｱｲｺﾝ", "view2", 1),
        Button(P::ToolBar, "tbview3", "一覧", "一覧", "view3", 2),
        Button(P::ToolBar, "tbview4", "詳細", "詳細", "view4", 3),
        Button(P::ToolBar, "tbiconchk", "ﾁｪｯｸ", "アイコンの透明領域を確認", "m_iconchk", -1, true),
        Button(P::ToolBar, "tbhelp", "ﾍﾙﾌﾟ", "ヘルプ表示", "Contents1", -1, true),

        // Editing panel command buttons
        Button(P::EditPanel, "tbbmpget", "取込", "ﾋﾞｯﾄﾏｯﾌﾟを取り込みます", "mnu_bmpget"),
        Button(P::EditPanel, "tbconvert", "変換", "リソースの種類・サイズ・色数を変更します", "mnu_convert"),
        Button(P::EditPanel, "tbinport", "ｲﾝﾎﾟｰﾄ", "リソースのインポート", "inport1"),
        Button(P::EditPanel, "tbexport", "ｴｸｽﾎﾟｰﾄ", "リソースのエクスポート", "export1"),
        Button(P::EditPanel, "tbiconrep", "更新", "リソースの置き換え", "mnu_iconrep"),
        Button(P::EditPanel, "tbiconadd", "追加", "リソースの挿入", "mnu_iconadd"),
        Button(P::EditPanel, "tbflip", "上下", "上下を反転します", "mnu_flip"),
        Button(P::EditPanel, "tbmillor", "左右", "左右を反転します", "mnu_millor"),
        Button(P::EditPanel, "tbl90", "左90", "左に90度回転(&R)", "mnu_l90"),
        Button(P::EditPanel, "tbr90", "右90", "右に90度回転します", "mnu_r90"),
        Button(P::EditPanel, "tbmaskinv", "ﾏｽｸ反転", "ﾏｽｸの反転", "mnu_maskinv"),
        Button(P::EditPanel, "tbmaskfill", "ﾏｽｸ塗潰", "ﾏｽｸの塗りつぶし", "mnu_maskfill"),
        Button(P::EditPanel, "tbiconauto", "自動補完", "アイコン自動補完", "iconauto"),
    };
    // Buttons carry the help context of the item whose handler they share.
    for (auto& c : t) {
        if (c.sameAs.empty()) continue;
        for (const auto& m : t) {
            if (m.name == c.sameAs) {
                c.helpContext = m.helpContext;
                break;
            }
        }
    }
    return t;
}

}  // namespace

const std::vector<CommandInfo>& CommandTable() {
    static const std::vector<CommandInfo> table = BuildTable();
    return table;
}

const std::vector<MenuInfo>& MenuTable() {
    static const std::vector<MenuInfo> menus = {
        {"File1", "ファイル(&F)", ""},           {"View1", "表示(&V)", ""},   {"Edit1", "編集(&E)", ""},
        {"mnu_rotate", "画像回転(&E)", "Edit1"}, {"Help1", "ヘルプ(&H)", ""},
    };
    return menus;
}

const CommandInfo* FindCommand(std::string_view name) {
    for (const auto& c : CommandTable())
        if (c.name == name) return &c;
    return nullptr;
}

std::vector<const CommandInfo*> CommandsOfMenu(std::string_view menu) {
    std::vector<const CommandInfo*> out;
    for (const auto& c : CommandTable())
        if (c.place == CommandPlace::Menu && c.menu == menu && !c.name.empty()) out.push_back(&c);
    return out;
}

std::vector<const CommandInfo*> CommandsAt(CommandPlace place) {
    std::vector<const CommandInfo*> out;
    for (const auto& c : CommandTable())
        if (c.place == place) out.push_back(&c);
    return out;
}

const std::vector<ControlHelp>& ControlHelpTable() {
    static const std::vector<ControlHelp> table = {
        {"cmbtype", 10065},      {"cmbsize", 10066},    {"cmbcolor", 10067},   {"spex", 10068},
        {"spey", 10068},         {"spebx", 10073},      {"speby", 10073},      {"sprate", 10053},
        {"edttitle", 10057},     {"edtcreator", 10056}, {"LVIcon", 10045},     {"lvani1", 10047},
        {"lvani2", 10047},       {"ScrollBox3", 10058}, {"grpselect", 10064},  {"StatusBar1", 10075},
        {"PageControl1", 10074}, {"ScrollBox1", 10062}, {"ScrollBox2", 10063}, {"btnanieft", 10084},
    };
    return table;
}

int HelpContextOf(std::string_view controlName) {
    if (const CommandInfo* c = FindCommand(controlName)) return c->helpContext;
    for (const auto& h : ControlHelpTable())
        if (h.name == controlName) return h.helpContext;
    return 0;
}

}  // namespace vornik
