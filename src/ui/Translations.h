#pragma once

#include <QString>
#include <string_view>

namespace vornik {

// The language code ("ja" or "en") of a "language" setting; the system's
// choice is Japanese on a Japanese system and English on any other.
QString LanguageCodeOf(int languageSetting);

// True for the codes --lang accepts.
bool IsInterfaceLanguage(const QString& code);

// Replaces the application's translators by those of code: our catalog
// (built into the program) and, for Japanese, Qt's own texts of its standard
// dialogs and buttons. Call after the QApplication exists and before windows
// are made; texts already shown do not change. False when our catalog of that
// language cannot be loaded (the English source texts show then).
bool InstallTranslations(const QString& code);

// A caption or hint of the command table (English, marked for the context
// "Command") in the installed language.
QString CommandText(std::string_view text);

// The code last installed ("" before the first call).
QString InstalledLanguage();

}  // namespace vornik
