// The program's dialog template resources, found by numeric id.
//
// The resource table is the program's own module. Tests may put another table in its place, the way a
// program may take its resources from another module.
#pragma once

#include <cstdint>
#include <span>

#include "dialog/dialog_template.h"

namespace zorikan {

// The parameter dialog.
inline constexpr int32_t kParameterDialogId = 101;  // "IDD_DIALOG1"

// The resource with this id, or null when the module has none.
const DialogResource* find_dialog_resource(int32_t id);

// The module's own resources.
std::span<const DialogResource> program_dialog_resources();

// Makes `resources` the table that find_dialog_resource searches; returns the table it replaces. The
// table must outlive its use. Program thread only.
std::span<const DialogResource> use_dialog_resources(std::span<const DialogResource> resources);

}  // namespace zorikan
