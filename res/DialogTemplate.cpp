#include "res/DialogTemplate.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace res {

namespace {
// Every template of the program. A new template adds its line here.
using Maker = const DialogTemplate& (*)();
constexpr Maker kTemplates[] = {
    CpuBenchTemplate,
    AboutTemplate,
    ProcInfoTemplate,
    SystemInfoTemplate,
    FpuBenchTemplate,
    BenchProgressTemplate,
    CacheBenchTemplate,
    CacheResultsTemplate,
};
}  // namespace

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
