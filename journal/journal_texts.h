#pragma once
// What the journal says to the user, in both languages.

#include <string>

#include "base/language.h"
#include "journal/journal_record.h"

namespace mensora {

// "N records from the last run were not saved (HH:MM:SS to HH:MM:SS). Restore them?"
std::string restoreQuestion(const UnsavedRecords& unsaved, Language language);

// Why the journal cannot be written, and that recording goes on without it.
std::string journalFailureMessage(const JournalError& error, Language language);
// The journal is written again, with every record taken while it could not be.
std::string journalRecoveredMessage(Language language);

}  // namespace mensora
