#pragma once
// JSON as vext-cli prints it. Texts come from files and processors; a terminal that shows the JSON
// would obey DEL and the C1 controls, which JSON lets through raw: they are written as \u escapes.
#include <string>

#include <nlohmann/json.hpp>

namespace results {

// `value` indented by two, with DEL and U+0080 ... U+009F as "\u007f", "\u0080" ... "\u009f"; other
// UTF-8 as it is. Texts must be UTF-8.
std::string JsonText(const nlohmann::json& value);

}  // namespace results
