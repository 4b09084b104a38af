// CUserImport: importing users from a file into the server's own user database and the
// "faxusers" list, directly or through the server's import program.
#pragma once

#include <string>
#include <vector>

#include "module/users/user_import_file.h"
#include "platform/com/types.h"

class CComponentData;
class CUsersNodeDelegation;
struct IConsole;

// One import, made on the stack by the Licensed users node for one menu command; the answers
// given in its dialogs ("Yes to all", "No to all") live exactly as long. A validation pass
// asks about every faulty record and may cancel before anything is written; the import pass
// then reads the file again and creates or overwrites the users without asking again about
// errors. Store and database failures of the import pass raise their ComError to the caller;
// what was saved before stays saved.
class CUserImport {
 public:
  CUserImport(CUsersNodeDelegation* list, IConsole* console);

  // "I&mport users from file...": asks for the file, then imports it.
  HRESULT ImportFromChosenFile();
  // "&Import users...": runs the server's import program and imports what it wrote.
  HRESULT RunImportProgram();
  // Imports the file at `path`; S_FALSE when nothing was imported because the file was not
  // readable, not supported or the validation was cancelled.
  HRESULT ImportFile(const std::wstring& path);

  // How many users the last import created.
  int added_count() const { return added_count_; }

 private:
  // False when the administrator cancelled.
  bool ValidationPass(pw::UserImportReader* reader);
  void ImportPass(pw::UserImportReader* reader);
  // Asks about one problem of a record; false for Cancel.
  bool AskIgnore(const pw::ImportRecord& record, pw::ImportProblem problem);
  // Whether an existing user with the record's address is overwritten.
  bool ShouldOverwrite(const pw::ImportRecord& record);
  // The installation folder, or on a remote console the server's share, ending in a
  // separator.
  std::wstring ServerFolder() const;
  LONG ReadMailSystem() const;
  void UpdateViews(LPARAM data, LONG_PTR hint) const;

  CUsersNodeDelegation* list_;
  CComponentData* component_data_;
  IConsole* console_;
  // Validation pass: stop asking about comma, new line and address errors.
  bool ignore_all_ = false;
  // Import pass: the remembered answers of the existing-user question.
  bool overwrite_all_ = false;
  bool skip_all_ = false;
  LONG mail_system_ = 0;
  int added_count_ = 0;
  std::vector<std::wstring> added_;
};
