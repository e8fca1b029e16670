#include "core/model/undo_keeper.h"

namespace tinto {

const char* ChangeName(ChangeKind kind) {
  // In the order of ChangeKind.
  static constexpr const char* kNames[] = {"Stroke",      "Drop", "Paste",      "Cut", "Import",
                                           "Total Width", "DY",   "MLT Window", "Mode"};
  return kNames[static_cast<int>(kind)];
}

}  // namespace tinto
