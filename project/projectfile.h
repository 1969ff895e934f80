// The project file: one line per node of the model in depth-first order,
// as many TABs as the node's level, the text, CR LF. No header, no
// byte-order mark; an empty model is a file of zero bytes. Texts are CP932.
//
// Reading accepts more than writing produces:
//   - only the bytes before the first NUL count;
//   - a line ends at CR LF, a lone CR or a lone LF; a last line without an
//     end counts; nothing follows a final line end ("a\r\n" is one line,
//     "a\r\n\r\nb" three, the middle one empty);
//   - a line's depth is its number of leading TABs and blanks, each one
//     level ("    x" is depth 4); the rest, trailing blanks included, is
//     the text;
//   - the first line is a project whatever its depth; each later line may
//     go at most one level deeper than the line before it.
#pragma once

#include "project/projecttree.h"

#include <string>
#include <string_view>
#include <vector>

namespace tamble {

// The lines of tree, each ended by "\n", which the text-file writer
// stores as CR LF.
[[nodiscard]] std::string FormatProjectText(const ProjectTree& tree);

// Why reading stopped.
struct ProjectReadError {
    enum Kind { None, CannotOpen, LevelJump } kind = None;
    int depth = 0;    // LevelJump: the depth of the line
    std::string text; // LevelJump: the line's text
};

// Parses bytes into tree (emptied first). On a level jump the nodes before
// that line are in tree and the error is returned.
ProjectReadError ParseProjectText(const std::string& bytes, ProjectTree& tree);

// Reads the file at path (CP932) into a fresh model and replaces tree only
// when the whole file was read, so a failed read leaves it as it was.
ProjectReadError LoadProjectFile(const std::string& path, ProjectTree& tree);

// Why a text cannot be a node of a project file that reads back as itself.
enum class ProjectTextFault {
    None,
    LineBreak,    // a CR, LF or NUL: the reader ends the line (or the file) there
    LeadingBlank, // a blank or tab at the start: the reader takes it for indentation
};

// The fault of text as a project name or a file path. "Demo" and "" ->
// None, "a\nb" -> LineBreak, " Demo" and "\tDemo" -> LeadingBlank (a line
// break wins when both are present).
[[nodiscard]] ProjectTextFault FindProjectTextFault(std::string_view text);

// Writes tree to path through a temporary file renamed over it, so a
// failed save leaves an existing file whole. Returns false on failure,
// also without writing anything when a node text has a ProjectTextFault
// (the file would not read back as tree).
[[nodiscard]] bool SaveProjectFile(const std::string& path, const ProjectTree& tree);

// The user's messages (CP932) for a failed read of path and a failed save.
[[nodiscard]] std::string ReadErrorMessage(const ProjectReadError& error, const std::string& path);
[[nodiscard]] std::string SaveErrorMessage(const std::string& path);
// The user's messages (CP932) refusing a project name with fault (not
// None), and refusing files whose paths have a fault.
[[nodiscard]] std::string ProjectNameFaultMessage(ProjectTextFault fault);
[[nodiscard]] std::string RefusedFilesMessage(const std::vector<std::string>& paths);

} // namespace tamble
