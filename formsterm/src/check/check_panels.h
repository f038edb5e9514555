// check_panels.h - the help-file check's look at what the driver forgives
// silently: keywords it does not know or finds inside other keywords, panels
// whose fields collide, ranges and files named but missing, texts wider
// than where they are shown, and files that are not what the driver reads.
#ifndef FORMSTERM_CHECK_PANELS_H
#define FORMSTERM_CHECK_PANELS_H

#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "check/check_options.h"
#include "check/finding.h"
#include "check/help_file.h"
#include "check/library_probe.h"
#include "check/panel_tracker.h"

namespace formsterm {

// Bytes that are not text, CR-LF line ends, definitions longer than the
// driver reads. stop is set when the file is no text at all.
std::vector<Finding> check_raw(const std::string &content, const std::vector<HelpRecord> &records,
                               bool &stop);

// Unknown keywords and keywords that the driver finds inside others, in
// definition and option records.
std::vector<Finding> check_keywords(const std::vector<HelpRecord> &records);

// Per definition record: HELP= and SCRN= ranges, the width of their texts,
// and the files that VERF= names (looked for in folder, or among files when
// the caller holds the folder's files).
std::vector<Finding> check_field_records(const std::vector<HelpRecord> &records, const std::string &folder,
                                         const FolderFiles *files = nullptr);

// The panels of a file without a program: each run of consecutive
// definition records with distinct field numbers.
std::vector<TrackedPanel> panels_in_file(const std::vector<HelpRecord> &records);

// Fields that write one user variable or the panel's reason variable, that
// overlap or run past column 40. Options: the panel's option texts (the
// panel's own, or every option record of the file).
std::vector<Finding> check_panel(const TrackedPanel &panel, const std::vector<SourcedText> &options,
                                 const std::map<int, int> &line_of_record);

// Runs the program headless as far as it goes without input and checks
// each panel as EXEC_PA starts it. The program's failure and every error
// report it met are findings. records_used: the definition records of the
// panels it started; started: those panels.
std::vector<Finding> check_program_panels(const CheckOptions &options, const std::string &help_content,
                                          const std::vector<HelpRecord> &records, int &panels,
                                          std::set<int> &records_used, std::vector<TrackedPanel> &started);

}  // namespace formsterm

#endif
