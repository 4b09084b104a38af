// The remote computer selection: the state and validation shared by the selection dialog and
// the add wizard's page, and the request the component data makes when a saved console must
// be told which computer to administer.
#pragma once

#include <optional>
#include <string>

#include "module/snapin/please_wait.h"

struct IConsole;
class CDialog;

// What one dialog or page has chosen. Filled by the window from its controls; on success the
// name is the validated one (upper case, without leading backslashes), empty for the local
// computer.
struct ComputerSelection {
  static constexpr int kLocal = 0;
  static constexpr int kAnother = 1;

  int choice = kAnother;
  std::wstring computer_name;
  // The computer administered now; change mode only.
  std::wstring previous_name;
  // Set when the root's "Connect to another computer..." opened the dialog.
  bool change_mode = false;
  int initial_choice = kAnother;
  // Every flow of the snap-in sets it: only consoles for any server ask for a computer.
  bool remote_only = true;
  // What the network check answered for the accepted name.
  ComputerLookupResult lookup;
};

// How the validation of OK or Finish ends.
enum class SelectionVerdict {
  kAccepted,   // a computer (or the local one) was chosen: the dialog ends with IDOK
  kUnchanged,  // nothing changes: the dialog ends with IDCANCEL
  kStayOpen,   // the administrator was told what is wrong and corrects it
};

// The functions below serve any window made from the dialog or page template (the controls
// IDC_LOCAL_COMPUTER, IDC_ANOTHER_COMPUTER, IDC_COMPUTER_NAME, IDC_BROWSE_COMPUTER).

// Sets the radio buttons and the name from `selection`; with remote only the local button is
// disabled and the focus starts in the name with its text selected. Records the initial
// choice.
void InitSelectComputerControls(CDialog& window, ComputerSelection* selection);
// The name and "&Browse..." are usable only with "Another computer".
void EnableComputerNameControls(CDialog& window);
// Lets the administrator pick a computer and puts its name into the name field.
void BrowseForComputer(CDialog& window);
// Reads the controls and checks the choice: the name is cleaned and looked up on the network
// with `lookup` behind "Please wait"; problems are shown in message boxes owned by `window`.
SelectionVerdict ValidateComputerSelection(CDialog& window, ComputerSelection* selection,
                                           const ComputerLookup& lookup);
// Trims blanks, removes two leading backslashes and converts to upper case.
std::wstring CleanComputerName(std::wstring_view typed);

// Shows the selection dialog starting with `current` and answers the validated name, or
// nothing when the administrator cancels.
std::optional<std::wstring> AskForComputerToManage(IConsole* console, const std::wstring& current);
