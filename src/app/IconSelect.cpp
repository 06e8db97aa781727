#include "app/IconSelect.h"

#include "app/DocumentOpen.h"
#include "app/EditActions.h"

namespace vornik {

std::optional<int> SelectImportEntry(MainState& s, const std::string& path,
                                     const IconSelectDialog& showDialog) {
    s.doc.ImportFileName = path;
    OpenImportSource(s);
    TIconEx* set = s.doc.ImportSet();
    ResourceList list;
    if (set) list = FillResourceList(*set, s.settings.stretchbltmode);
    if (!showDialog) return std::nullopt;
    std::optional<int> chosen = showDialog(list, path);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(list.items.size())) return std::nullopt;
    return chosen;
}

}  // namespace vornik
