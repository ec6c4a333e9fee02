// Fuzz target: the Dialog toolkit's reading of a dialog template (dialog_init) from the resource
// table, then text access and routine binding on its controls as the program does them.
//
// Input: a template in the byte form of dialog_template_bytes.h, then operations until the input ends,
// each an operation byte, a control id, a selector byte and a text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/logical.h"
#include "dialog/dialog.h"
#include "dialog/dialog_resources.h"
#include "fuzz/dialog_template_bytes.h"
#include "fuzz/fuzz_support.h"

namespace zorikan {
namespace {

void no_routine(DialogRecord&, int32_t&, int32_t&) {}

// The control id of an operation: mostly one of the template's ids, sometimes any number.
int32_t control_id(fuzz::ByteReader& reader, const fuzz::DecodedTemplate& decoded) {
  const auto raw = static_cast<int32_t>(reader.unsigned_field(4));
  if (decoded.items.empty() || (raw & 1) == 0) return raw;
  return decoded.items[static_cast<uint32_t>(raw) / 2 % decoded.items.size()].id;
}

std::optional<int32_t> selector(uint32_t code) {
  switch (code % 5) {
    case 0:
      return std::nullopt;
    case 1:
      return kSelectorText;
    case 2:
      return kSelectorEditText;
    case 3:
      return 0;
    default:
      return static_cast<int32_t>(code) - 128;
  }
}

void run_operation(fuzz::ByteReader& reader, const fuzz::DecodedTemplate& decoded, DialogRecord& dialog) {
  const uint32_t operation = reader.unsigned_field(1);
  const int32_t id = control_id(reader, decoded);
  const std::optional<int32_t> which = selector(reader.unsigned_field(1));
  const std::string_view text = reader.text();
  std::array<char, 40> copy;
  switch (operation % 3) {
    case 0:
      dialog_set_text(dialog, id, text, which);
      break;
    case 1:
      dialog_get_text(dialog, id, std::span<char>(copy.data(), text.size() % copy.size()), which);
      break;
    default:
      dialog_set_callback(dialog, id, &no_routine, which);
      break;
  }
}

}  // namespace
}  // namespace zorikan

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorikan;
  fuzz::ByteReader reader(fuzz::as_text(data, size));
  const fuzz::DecodedTemplate decoded = fuzz::decode_dialog_template(reader);
  const DialogTemplate dialog_template = decoded.view();
  const std::array<DialogResource, 1> resources = {{{kParameterDialogId, "IDD_DIALOG1", &dialog_template}}};
  const auto previous = use_dialog_resources(resources);
  DialogRecord dialog;
  if (dialog_init(kParameterDialogId, dialog) == kTrue) {
    while (!reader.empty()) run_operation(reader, decoded, dialog);
  }
  use_dialog_resources(previous);
  return 0;
}
