#pragma once
#include <string>

namespace korvel {

// The per-user places of an installed program, each empty when unknown.
struct UserDirectories {
  std::string config;    // korvel.prm: $XDG_CONFIG_HOME/korvel
  std::string state;     // the snapshots: $XDG_STATE_HOME/korvel
  std::string old_data;  // both, as earlier versions kept them: $XDG_DATA_HOME/korvel
  std::string pictures;  // the user's pictures folder, where saving starts
};

}  // namespace korvel
