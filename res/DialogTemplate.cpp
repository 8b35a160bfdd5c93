#include "res/DialogTemplate.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace res {

namespace {
// Every template of the program. A new template adds its line here.
using Maker = const DialogTemplate& (*)();
constexpr Maker kTemplates[] = {
    Dialog106,
    Dialog107,
    Dialog129,
    Dialog130,
    Dialog131,
    Dialog132,
    Dialog133,
    Dialog134,
};
}  // namespace

const ControlTemplate* DialogTemplate::FindControl(int controlId) const
{
    for (const auto& c : controls)
        if (c.id == controlId) return &c;
    return nullptr;
}

const DialogTemplate& FindTemplate(int templateId)
{
    for (Maker make : kTemplates) {
        const DialogTemplate& t = make();
        if (t.id == templateId) return t;
    }
    throw std::out_of_range("no dialog template " + std::to_string(templateId));
}

std::vector<int> TemplateIds()
{
    std::vector<int> ids;
    for (Maker make : kTemplates) ids.push_back(make().id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

}  // namespace res
