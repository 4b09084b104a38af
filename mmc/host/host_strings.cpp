// The console host's texts.
#include "mmc/host/host_strings.h"

#include <array>
#include <utility>

#include "platform/win/thread_locale.h"

namespace pw::mmc {
namespace {

struct Text {
  HostString id;
  const wchar_t* english;
  const wchar_t* german;
};

constexpr std::array kTexts = {
    Text{HostString::kConsoleTitle, L"Management Console", L"Verwaltungskonsole"},
    Text{HostString::kMenuOpen, L"&Open", L"Ö&ffnen"},
    Text{HostString::kMenuDelete, L"&Delete", L"&Löschen"},
    Text{HostString::kMenuRename, L"Rena&me", L"&Umbenennen"},
    Text{HostString::kMenuRefresh, L"&Refresh", L"A&ktualisieren"},
    Text{HostString::kMenuProperties, L"P&roperties", L"&Eigenschaften"},
    Text{HostString::kMenuNewWindow, L"New &Window from Here", L"Neues &Fenster ab hier"},
    Text{HostString::kSaveQuestion, L"Save console settings to %1?",
         L"Konsoleneinstellungen unter %1 speichern?"},
    Text{HostString::kUntitledDocument, L"Console1", L"Konsole1"},
    Text{HostString::kSheetsOpen, L"Close all property sheets before closing the console.",
         L"Schließen Sie alle Eigenschaftenfenster, bevor Sie die Konsole schließen."},
    Text{HostString::kDocumentNotOpened, L"The console document \"%1\" cannot be opened. %2",
         L"Das Konsolendokument \"%1\" kann nicht geöffnet werden. %2"},
    Text{HostString::kReasonNotADocument, L"It is not a console document.",
         L"Es ist kein Konsolendokument."},
    Text{HostString::kReasonTooLarge, L"It is too large.", L"Es ist zu groß."},
    Text{HostString::kReasonOtherVersion,
         L"It was saved by a version of the console that this one cannot read.",
         L"Es wurde von einer Version der Konsole gespeichert, die diese nicht lesen kann."},
    Text{HostString::kReasonChecksum, L"It is damaged: its contents changed after it was saved.",
         L"Es ist beschädigt: Sein Inhalt hat sich nach dem Speichern geändert."},
    Text{HostString::kReasonDamaged, L"It is damaged.", L"Es ist beschädigt."},
    Text{HostString::kReasonUnreadable, L"It cannot be read.", L"Es kann nicht gelesen werden."},
    Text{HostString::kDocumentNotSaved, L"The console document \"%1\" could not be saved.",
         L"Das Konsolendokument \"%1\" konnte nicht gespeichert werden."},
    Text{HostString::kSnapInNotRegistered, L"The snap-in %1 is not registered on this computer.",
         L"Das Snap-In %1 ist auf diesem Computer nicht registriert."},
    Text{HostString::kSnapInNotCreated, L"The snap-in %1 could not be created (error %2).",
         L"Das Snap-In %1 konnte nicht erstellt werden (Fehler %2)."},
    Text{HostString::kSnapInNotInitialized, L"The snap-in did not initialize (error %1).",
         L"Das Snap-In wurde nicht initialisiert (Fehler %1)."},
    Text{HostString::kSnapInAddCancelled, L"Adding the snap-in was cancelled.",
         L"Das Hinzufügen des Snap-Ins wurde abgebrochen."},
    Text{HostString::kConsoleNotEmpty, L"The console already holds a snap-in.",
         L"Die Konsole enthält bereits ein Snap-In."},
    Text{HostString::kNoSnapIn, L"The console holds no snap-in.",
         L"Die Konsole enthält kein Snap-In."},
    Text{HostString::kUnknownView, L"There is no such window.", L"Dieses Fenster gibt es nicht."},
    Text{HostString::kUnknownScopeItem, L"There is no such item in the tree.",
         L"Dieses Element gibt es in der Struktur nicht."},
    Text{HostString::kUnknownRow, L"There is no such row in the list.",
         L"Diese Zeile gibt es in der Liste nicht."},
    Text{HostString::kVerbNotAvailable, L"This command is not available for the selection.",
         L"Dieser Befehl ist für die Auswahl nicht verfügbar."},
    Text{HostString::kNoSelection, L"Nothing is selected.", L"Es ist nichts ausgewählt."},
    Text{HostString::kNotSortable, L"This list cannot be sorted.",
         L"Diese Liste kann nicht sortiert werden."},
    Text{HostString::kUnknownMenuItem, L"There is no such menu item.",
         L"Diesen Menüeintrag gibt es nicht."},
    Text{HostString::kMenuItemDisabled, L"This menu item is not available.",
         L"Dieser Menüeintrag ist nicht verfügbar."},
    Text{HostString::kUnknownButton, L"There is no such toolbar button.",
         L"Diese Symbolleistenschaltfläche gibt es nicht."},
    Text{HostString::kButtonDisabled, L"This toolbar button is not available.",
         L"Diese Symbolleistenschaltfläche ist nicht verfügbar."},
    Text{HostString::kSnapInFailed, L"The snap-in reported an error (%1).",
         L"Das Snap-In hat einen Fehler gemeldet (%1)."},
    Text{HostString::kLastView, L"The last window of the console cannot be closed on its own.",
         L"Das letzte Fenster der Konsole kann nicht einzeln geschlossen werden."},
    Text{HostString::kBusy, L"The console is busy.", L"Die Konsole ist beschäftigt."},
};

}  // namespace

std::wstring HostText(HostString id) {
  const bool german = LANGIDFROMLCID(GetThreadLocale()) == LANGIDFROMLCID(LOCALE_GERMAN);
  for (const Text& text : kTexts) {
    if (text.id == id) return german ? text.german : text.english;
  }
  return {};
}

}  // namespace pw::mmc
