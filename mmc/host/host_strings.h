// The console host's own texts — its menu items, questions and error messages — in English
// and German, chosen by the calling thread's language.
#pragma once

#include <string>

namespace pw::mmc {

// In the order of the string ids in mmc/resources/mmc_resource.h.
enum class HostString {
  kConsoleTitle,
  kMenuOpen,
  kMenuDelete,
  kMenuRename,
  kMenuRefresh,
  kMenuProperties,
  kMenuNewWindow,
  kSaveQuestion,  // %1 the document
  kUntitledDocument,
  kSheetsOpen,
  kDocumentNotOpened,  // %1 the document, %2 the reason
  kReasonNotADocument,
  kReasonTooLarge,
  kReasonOtherVersion,
  kReasonChecksum,
  kReasonDamaged,
  kReasonUnreadable,
  kDocumentNotSaved,      // %1 the document
  kSnapInNotRegistered,   // %1 the class id
  kSnapInNotCreated,      // %1 the class id, %2 the error number
  kSnapInNotInitialized,  // %1 the error number
  kSnapInAddCancelled,
  kConsoleNotEmpty,
  kNoSnapIn,
  kUnknownView,
  kUnknownScopeItem,
  kUnknownRow,
  kVerbNotAvailable,
  kNoSelection,
  kNotSortable,
  kUnknownMenuItem,
  kMenuItemDisabled,
  kUnknownButton,
  kButtonDisabled,
  kSnapInFailed,  // %1 the error number
  kLastView,
  kBusy,
};

std::wstring HostText(HostString id);

}  // namespace pw::mmc
