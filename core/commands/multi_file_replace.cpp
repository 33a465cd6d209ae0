#include "core/commands/multi_file_replace.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>

#include "convert/code_detect.h"
#include "convert/cp932.h"
#include "convert/euc.h"
#include "convert/file_form_detect.h"
#include "convert/jis.h"
#include "convert/stand_in_codec.h"
#include "convert/whole_char_find.h"
#include "core/form_reading.h"
#include "settings/atomic_file.h"

namespace qb {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderNotFound = "フォルダが見つかりません";
constexpr const char* kReadOpenError = "ReadファイルOpenエラー";
constexpr const char* kWorkOpenError = "WORKファイルOpenエラー";
constexpr const char* kWriteError = "ファイル書き込みエラー";
constexpr const char* kRenameError = "ファイルRenameエラー";
constexpr const char* kUtf8NotHeld =
    "UTF-8ファイルにシフトJISで表せない文字が多すぎるため置換しません";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Shows `message` about the file at `path`, naming it: a message box lists no file of its own.
void ShowFileMessage(IHost& host, const char* message, const std::string& path) {
    host.ShowMessage(std::string(message) + ": " + path);
}

// The temporary files AtomicFileWriter makes beside their target (".name.qbtmp-..."): the work
// files of this operation, never taken for files to process.
bool IsWorkFileName(const std::string& name) {
    return !name.empty() && name[0] == '.' && name.find(".qbtmp-") != std::string::npos;
}

// Reads the file whole, never through a symbolic link; `names` receives its number of hard
// links.
bool ReadWholeFile(const std::string& path, std::string& bytes, nlink_t& names,
                   std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    names = 1;
    if (::fstat(fd, &st) == 0) {
        names = st.st_nlink;
        if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

// Whether the user has marked the file read-only: no write permission for anyone, or none for us.
bool IsReadOnly(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// Replaces every case-insensitive occurrence of the (upper-cased) find text in `text`, putting
// the replacement where the match stood; the rest keeps its case. Returns the count; `out`
// receives the result when it is not 0.
int ReplaceIgnoringCase(std::string_view text, std::string_view upperText,
                        const WholeCharFinder& finder, std::string_view replacement,
                        std::string& out) {
    std::size_t hit = finder.Find(upperText, 0);
    if (hit == std::string_view::npos) return 0;
    int count = 0;
    std::size_t pos = 0;
    out.clear();
    do {
        out.append(text.substr(pos, hit - pos));
        out.append(replacement);
        ++count;
        pos = hit + finder.size();
    } while ((hit = finder.Find(upperText, pos)) != std::string_view::npos);
    out.append(text.substr(pos));
    return count;
}

// The escape sequence that puts a JIS decoder back into the mode `state` describes.
std::string_view JisModeSequence(const JisShiftState& state) {
    if (state.kanji) return "\x1b$B";
    if (state.kana) return "\x1b(I";
    return {};
}

// Encodes Shift-JIS `text` as JIS, each line (up to and including its LF) on its own, so that
// every line ends in ASCII mode before its terminator.
void AppendAsJis(std::string_view text, const JisEncoderOptions& options, std::string& out) {
    while (!text.empty()) {
        const auto lf = text.find('\n');
        const std::size_t lineEnd = lf == std::string_view::npos ? text.size() : lf + 1;
        std::string_view line = text.substr(0, lineEnd);
        std::size_t bodyEnd = line.size();
        if (bodyEnd > 0 && line[bodyEnd - 1] == '\n') --bodyEnd;
        if (bodyEnd > 0 && line[bodyEnd - 1] == '\r') --bodyEnd;
        JisShiftState state;
        out.append(SjisToJisLine(line.substr(0, bodyEnd), state, options));
        out.append(line.substr(bodyEnd));
        text.remove_prefix(lineEnd);
    }
}

struct FileOutcome {
    std::string bytes;     // the new content, when count > 0
    int count = 0;         // replacements in the lines that changed
    bool notHeld = false;  // a changed line of a UTF-8 file holds what Shift-JIS cannot
    std::vector<MultiFileLineChange>* changes = nullptr;  // where to list them, when wanted
    StandInTable* standIns = nullptr;  // with `changes`: the stand-ins they hold
};

// The code a file is treated in: its detected code, but text that is well-formed UTF-8 (and not
// plain ASCII) is UTF-8, which the detection cannot tell from Shift-JIS or EUC.
CodeKind TreatedCode(std::string_view bytes) {
    const CodeKind detected = DetectFileCode(bytes);
    if (detected == CodeJis || detected == CodeAscii || !IsValidUtf8(bytes)) return detected;
    return CodeUtf8;
}

// A line without its LF or CR LF.
std::string_view WithoutLineEnd(std::string_view line) {
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

// Runs the replacement over one file's bytes, line by line (each line with its terminator), in
// the file's own code. Lines without a change are kept byte for byte.
void ReplaceInFile(std::string_view bytes, CodeKind code, const WholeCharFinder& finder,
                   std::string_view replacement, const JisEncoderOptions& jisOptions,
                   FileOutcome& outcome) {
    const bool converted = code == CodeJis || code == CodeEuc || code == CodeUtf8;
    // Shift-JIS text is upper-cased once as a whole; converted text line by line.
    const std::string upperAll = converted ? std::string() : UpperCased(bytes);
    JisShiftState decodeState;
    std::string sjis, upper, result;
    std::size_t copiedUpTo = 0;  // bytes before this are already in outcome.bytes
    long lineNumber = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        ++lineNumber;
        const auto lf = bytes.find('\n', pos);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        const std::string_view raw = bytes.substr(pos, end - pos);
        std::string_view text = raw;
        std::string_view upperText;
        const JisShiftState startState = decodeState;  // what a reader is in as the line begins
        // A UTF-8 byte-order mark is no character of the first line: it stays as it is.
        const std::string_view bom =
            code == CodeUtf8 && pos == 0 && raw.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom
                                                                                       : "";
        if (code == CodeJis) {
            sjis = JisToSjisLine(raw, decodeState);
            text = sjis;
        } else if (code == CodeEuc) {
            sjis = EucToSjisLine(raw);
            text = sjis;
        } else if (code == CodeUtf8) {
            sjis = Utf8ToCp932(raw.substr(bom.size()));
            text = sjis;
        }
        if (converted) {
            upper = UpperCased(text);
            upperText = upper;
        } else {
            upperText = std::string_view(upperAll).substr(pos, end - pos);
        }
        const int n = ReplaceIgnoringCase(text, upperText, finder, replacement, result);
        if (n > 0 && result != text) {
            outcome.bytes.append(bytes.substr(copiedUpTo, pos - copiedUpTo));
            if (code == CodeJis) {
                // The new text is encoded from ASCII mode: leave the mode the line began in.
                if (startState.kanji || startState.kana) outcome.bytes.append("\x1b(B");
                AppendAsJis(result, jisOptions, outcome.bytes);
                outcome.bytes.append(JisModeSequence(decodeState));
            } else if (code == CodeEuc) {
                outcome.bytes.append(SjisToEucLine(result));
            } else if (code == CodeUtf8) {
                // Written back only when the line held nothing that Shift-JIS lacks.
                if (SjisToUtf8(text) != raw.substr(bom.size())) {
                    outcome.notHeld = true;
                    return;
                }
                outcome.bytes.append(bom);
                outcome.bytes.append(SjisToUtf8(result));
            } else {
                outcome.bytes.append(result);
            }
            copiedUpTo = end;
            outcome.count += n;
            if (outcome.changes)
                outcome.changes->push_back({lineNumber, std::string(WithoutLineEnd(text)),
                                            std::string(WithoutLineEnd(result))});
        }
        pos = end;
    }
    if (outcome.count > 0) outcome.bytes.append(bytes.substr(copiedUpTo));
}

// A UTF-8 or UTF-16 file: its text is replaced as Shift-JIS with stand-ins for what Shift-JIS
// lacks, and written back whole in its own code; text the replacement did not touch comes back
// byte for byte, since the stand-ins give back every character (and stray byte) they hold.
void ReplaceInUnicodeFile(std::string_view bytes, const FileForm& form,
                          const WholeCharFinder& finder, std::string_view replacement,
                          const JisEncoderOptions& jisOptions, FileOutcome& outcome) {
    const std::string_view mark = ByteOrderMarkBytes(form);
    const std::string_view text = bytes.substr(bytes.starts_with(mark) ? mark.size() : 0);
    StandInTable table;
    std::vector<CodeLoss> losses;
    const std::string sjis = IsUtf16Form(form)
                                 ? Utf16ToSjisWithStandIns(text, form.bigEndian, table, &losses)
                                 : Utf8ToSjisWithStandIns(text, table, &losses);
    if (!losses.empty()) {  // more distinct characters than stand-ins
        outcome.notHeld = true;
        return;
    }
    ReplaceInFile(sjis, CodeShiftJis, finder, replacement, jisOptions, outcome);
    if (outcome.count == 0) return;
    if (outcome.standIns) *outcome.standIns = table;
    std::string written(mark);
    written += IsUtf16Form(form) ? SjisToUtf16WithStandIns(outcome.bytes, form.bigEndian, table)
                                 : SjisToUtf8WithStandIns(outcome.bytes, table);
    outcome.bytes = std::move(written);
}

// The folder to search: as given, or without a trailing backslash when only that form exists.
fs::path FolderPath(const std::string& folder) {
    if (folder.empty()) return fs::path(".");
    std::error_code ec;
    if (folder.size() > 1 && folder.back() == '\\' && !fs::is_directory(folder, ec))
        return fs::path(folder.substr(0, folder.size() - 1));
    return fs::path(folder);
}

// A file of the folder whose name matches.
struct FolderFile {
    std::string name;
    bool link = false;  // a symbolic link (to a file), to be passed over
    bool operator<(const FolderFile& other) const { return name < other.name; }
};

// The regular files of `dir` whose names match `pattern`, in their names' byte order (the
// same on every run). Every name is taken before any file is written, so that no work file can
// come up in the listing. A symbolic link to a file is listed, to be passed over: it is not
// followed out of the folder (as sed -i does not follow one). `subfolders` counts the folders in
// `dir`, which are not searched.
std::vector<FolderFile> MatchingFiles(const fs::path& dir, const std::string& pattern,
                                      const std::vector<std::string>* only, int& subfolders) {
    // "*.*" matches every file, also one without a dot in its name.
    const std::string wildcard = pattern == "*.*" ? "*" : pattern;
    std::vector<FolderFile> files;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code folderError;
        if (it->is_directory(folderError)) {  // not searched; counted, so that it can be said
            ++subfolders;
            continue;
        }
        if (fnmatch(wildcard.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
        if (IsWorkFileName(name)) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;  // directories, devices, pipes
        if (only && std::find(only->begin(), only->end(), name) == only->end()) continue;
        files.push_back({name, it->is_symlink(typeError)});
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Writes the new bytes over the file in one atomic rename. False when the run must end: the
// folder takes no new file, or the disk is full, and every further file would fail the same way.
bool WriteBack(IHost& host, const std::string& path, std::string_view bytes,
               MultiFileEntry& entry) {
    if (IsReadOnly(path)) {
        entry.status = MultiFileEntry::Failed;
        entry.error = "the file is read-only";
        ShowFileMessage(host, kWriteError, path);
        return true;
    }
    // Not synced, as sed -i does not: a sync per file costs more than all the rest.
    AtomicFileWriter writer(path, /*durable=*/false);
    if (!writer.Ok()) {
        entry.status = MultiFileEntry::Failed;
        entry.error = writer.Error();
        ShowFileMessage(host, kWorkOpenError, path);
        return false;
    }
    writer.Write(bytes);
    const bool written = writer.Ok();
    if (!writer.Commit()) {
        entry.status = MultiFileEntry::Failed;
        entry.error = writer.Error();
        ShowFileMessage(
            host,
            written && writer.Error().rfind("cannot replace", 0) == 0 ? kRenameError : kWriteError,
            path);
        return false;
    }
    entry.status = MultiFileEntry::Replaced;
    return true;
}

// A file of the folder read and replaced, waiting for its turn to be written back.
struct ReplacedFile {
    MultiFileEntry entry;
    FileOutcome outcome;
    std::string path;
    const char* message = nullptr;  // to show, naming the file, when its turn comes
    bool writeBack = false;
};

// Reads one file of the folder and replaces in it: everything but writing it back, which is
// done in name order (FinishFolderFile). Touches nothing shared, so that several files may be
// read and replaced at once.
std::unique_ptr<ReplacedFile> ReplaceInFolderFile(const fs::path& dir, const FolderFile& file,
                                                  const WholeCharFinder& finder,
                                                  std::string_view replacement,
                                                  const MultiFileReplaceOptions& options) {
    auto done = std::make_unique<ReplacedFile>();
    MultiFileEntry& entry = done->entry;
    entry.name = file.name;
    if (file.link) {
        entry.status = MultiFileEntry::Skipped;
        entry.error = "a symbolic link, not followed";
        return done;
    }
    done->path = (dir / file.name).string();
    std::string bytes;
    nlink_t fileNames = 1;
    if (!ReadWholeFile(done->path, bytes, fileNames, entry.error)) {
        entry.status = MultiFileEntry::Failed;
        entry.unread = true;
        done->message = kReadOpenError;
        return done;
    }
    const DetectedForm form = DetectFileForm(bytes);
    const bool unicode = IsUnicodeForm(form.form);
    entry.code = unicode ? CodeUtf8 : TreatedCode(bytes);
    FileOutcome& outcome = done->outcome;
    if (options.dryRun) {
        outcome.changes = &entry.changes;
        outcome.standIns = &entry.standIns;
    }
    if (unicode)
        ReplaceInUnicodeFile(bytes, form.form, finder, replacement, options.jis, outcome);
    else
        ReplaceInFile(bytes, entry.code, finder, replacement, options.jis, outcome);
    if (outcome.notHeld) {
        entry.status = MultiFileEntry::Failed;
        entry.error = "more characters Shift-JIS lacks than stand-ins can hold; left as it was";
        done->message = kUtf8NotHeld;
        return done;
    }
    if (outcome.count == 0) return done;
    entry.replacements = outcome.count;
    if (fileNames > 1) {
        // The new file would take this name only: the other names would keep the old text.
        entry.status = MultiFileEntry::Skipped;
        entry.error =
            "has " + std::to_string(fileNames) + " names (hard links), which a rewrite would part";
        return done;
    }
    if (options.dryRun)
        entry.status = MultiFileEntry::Replaced;
    else
        done->writeBack = true;
    return done;
}

// Says what went wrong with a file read and replaced, and writes it back. False when the run
// must end there.
bool FinishFolderFile(IHost& host, ReplacedFile& file) {
    if (file.message) ShowFileMessage(host, file.message, file.path);
    return !file.writeBack || WriteBack(host, file.path, file.outcome.bytes, file.entry);
}

// The files of the folder read and replaced ahead of their turn, several at once on threads of
// their own; no more are held than twice the workers, so that memory stays bounded.
class FilesAhead {
public:
    FilesAhead(const std::vector<FolderFile>& files, int workers,
               std::function<std::unique_ptr<ReplacedFile>(const FolderFile&)> replace)
        : m_files(files), m_workers(std::max(1, workers)), m_replace(std::move(replace)) {}
    ~FilesAhead() {
        for (auto& file : m_ahead)
            file.wait();
    }
    // The next file, in name order.
    std::unique_ptr<ReplacedFile> Next() {
        if (m_workers == 1) return m_replace(m_files[m_next++]);
        while (m_started < m_files.size() && m_ahead.size() < 2 * m_workers)
            m_ahead.push_back(std::async(std::launch::async, m_replace, m_files[m_started++]));
        std::unique_ptr<ReplacedFile> file = m_ahead.front().get();
        m_ahead.pop_front();
        return file;
    }

private:
    const std::vector<FolderFile>& m_files;
    const std::size_t m_workers;
    std::function<std::unique_ptr<ReplacedFile>(const FolderFile&)> m_replace;
    std::deque<std::future<std::unique_ptr<ReplacedFile>>> m_ahead;
    std::size_t m_next = 0;     // with one worker
    std::size_t m_started = 0;  // with several
};

}  // namespace

MultiFileResult MultiFileReplace(IHost& host, const std::string& folder, const std::string& pattern,
                                 std::string_view find, std::string_view replacement,
                                 const MultiFileReplaceOptions& options) {
    MultiFileResult result;
    result.dryRun = options.dryRun;
    result.folder = folder;
    BusyCursor busy(host);

    const fs::path dir = FolderPath(folder);
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        host.ShowMessage(std::string(kFolderNotFound) + ": " + folder);
        return result;
    }
    const std::vector<FolderFile> files =
        MatchingFiles(dir, pattern, options.only, result.subfolders);
    const WholeCharFinder finder(UpperCased(find));
    FileProgressRun progress(options.progress, static_cast<int>(files.size()));
    FilesAhead ahead(files, options.workers, [&](const FolderFile& file) {
        return ReplaceInFolderFile(dir, file, finder, replacement, options);
    });
    for (const FolderFile& file : files) {
        if (!progress.Next(file.name)) {  // stopped: the files done so far keep their changes
            result.stopped = true;
            break;
        }
        const std::unique_ptr<ReplacedFile> replaced = ahead.Next();
        const bool goOn = FinishFolderFile(host, *replaced);
        MultiFileEntry& entry = result.files.emplace_back(std::move(replaced->entry));
        if (entry.status == MultiFileEntry::Replaced) {
            ++result.filesChanged;
            result.replacements += entry.replacements;
        }
        if (!goOn) break;
    }
    return result;
}

}  // namespace qb
