#pragma once

// The main window's buttons by their resource ids, the names its tests and handlers use.

namespace tw::control_id {

inline constexpr int kEditNpcProperties = 1002;
inline constexpr int kAddCommand = 1008;
inline constexpr int kEditCommand = 1009;
inline constexpr int kDeleteCommand = 1010;
inline constexpr int kAddResponse = 1011;
inline constexpr int kEditResponse = 1012;
inline constexpr int kDeleteResponse = 1013;
inline constexpr int kEditNpcComments = 1063;
inline constexpr int kTestDialogue = 1095;
inline constexpr int kEditPartySettings = 1115;
inline constexpr int kExpandCollapseAll = 1117;

// The buttons that need a node to add responses to.
inline constexpr int kResponseButtons[] = {kAddResponse, kEditResponse, kDeleteResponse};

}  // namespace tw::control_id
