#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Bytes.h"

namespace vornik {

// The text of a setup information file as UTF-8: UTF-16 (either byte order,
// with a byte-order mark, or little-endian without one) and UTF-8 are
// recognised; other bytes are taken as Shift-JIS.
std::string DecodeInfText(const Bytes& data);

// What a cursor pack's install.inf says: the scheme's name and, for each of
// the 17 roles of a Windows cursor scheme (CursorRoles.h), the file named for
// it. Values are taken from [Scheme.Reg] (the scheme list under
// "Control Panel\Cursors\Schemes", or one value per role under
// "Control Panel\Cursors"), with %name% replaced from [Strings]; without
// [Scheme.Reg], [Strings] keys that name a role are used.
struct InstallInf {
    std::string schemeName;
    // role index -> file name as the inf names it (the last path component)
    std::map<int, std::string> files;
    // roles whose path was refused (it leaves the pack's folder) or whose
    // %name% has no string; role index -> reason
    std::map<int, std::string> refused;
};

InstallInf ParseInstallInf(const std::string& text);

// The inf that installs a folder of cursors as a scheme: files maps a role
// index to the file name written for it (roles without a file stay empty in
// the scheme). CRLF line ends, as Windows expects.
std::string WriteInstallInf(const std::string& schemeName, const std::map<int, std::string>& files);

}  // namespace vornik
