// One worker of a streamed run: what runs qbay's -e lines over a block of lines, on a thread of
// its own beside the other workers. It has its own documents, macro interpreter, settings and
// host, so that nothing it touches is shared; what the run of a block says (messages, lost
// characters, replacement counts) is held in the block's outcome, and the run tells it when the
// block's turn comes, so that it reads as a run over the whole text would have said it.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/cli/cli_host.h"
#include "app/cli/cli_workspace.h"
#include "app/cli/line_stream.h"
#include "convert/code_loss.h"
#include "convert/stand_in_table.h"
#include "core/app_context.h"
#include "core/text_file.h"
#include "macro/macro_controller.h"
#include "macro/parsed_macro_line.h"
#include "settings/settings_store.h"

namespace qb {

// What every block's run needs, fixed before the stream starts.
struct BlockTask {
    std::vector<ParsedMacroLine> steps;
    std::string name;            // the FILE as messages name it
    std::string outputLossName;  // what writing it loses is named after
    bool fromUtf8 = false;       // UTF-8 text: read through stand-ins, written back as UTF-8
    // UTF-8 text written in Shift-JIS, EUC-JP or JIS (--to), that code's name: the stand-ins
    // are lost. Empty otherwise.
    std::string toOtherCode;
    bool lookForUtf8 = false;    // whether the first block is to be looked at for UTF-8
    bool lossy = false;
    // What each step has added to the text so far, over the blocks finished: a step may add
    // no more than CQuillbayDoc::kMaxGrowth over the whole text.
    const std::vector<std::atomic<long long>>* grown = nullptr;
};

// What the run of one block said and did.
struct BlockOutcome {
    struct Loss {
        std::string file;
        long line = 0;
        std::size_t column = 0;
        std::string what;
        std::string into;
    };
    std::string said;  // messages and warnings as they are printed
    int messages = 0;  // the messages among them: the run showed an error
    std::vector<Loss> losses;
    std::vector<long long> growth;  // what each step added
    std::vector<int> counts;        // the replacements each step made, -1 for none told
    bool looksUtf8 = false;         // the first block is UTF-8 read as Shift-JIS

    // What encoding the block for writing found (app/cli/streamed_run.h), line numbers and
    // indexes counted in the block.
    bool encoded = false;      // the job's bytes hold the block; else its lines are written
    bool encodedWhole = true;  // false: a line that would not read back ended the bytes
    std::vector<std::pair<long, CodeLoss>> outputLosses;
    std::optional<ReadBackLoss> readBack;
    long lines = 0;  // lines in the block after its run
};

class BlockWorker {
public:
    // The worker keeps to itself a copy of `settings` as they are now.
    explicit BlockWorker(const SettingsStore& settings);
    BlockWorker(const BlockWorker&) = delete;
    BlockWorker& operator=(const BlockWorker&) = delete;

    // Runs the task's steps over the job's lines, leaving the result in them and what was said
    // in the job's result (a BlockOutcome). A worker serves one FILE after another, the task of
    // each in turn.
    void Run(BlockJob& job, const BlockTask& task);

private:
    void RunText(BlockJob& job);
    void RunSteps();
    // UTF-8 lines to Shift-JIS with stand-ins, and back into UTF-8 bytes that are written as
    // they are. Each block has a stand-in table of its own.
    void ReadUtf8(LineList& lines, bool first);
    void BackToUtf8(LineList& lines, bool byteOrderMark);
    // For --to sjis, euc or jis: the stand-ins become what those codes write for a character
    // they lack, told as lost.
    void DropStandIns(LineList& lines);
    void AddLoss(const std::string& file, std::size_t index, std::size_t column,
                 std::string what, std::string_view into);

    const BlockTask* m_task = nullptr;  // of the FILE at hand
    SettingsStore m_settings;
    CliHost m_host;
    AppContext m_app;
    CliWorkspace m_workspace;
    MacroController m_macros;
    StandInTable m_standIns;
    long long m_firstLine = 0;  // of the block at hand
    int m_messagesBefore = 0;   // the host's count when the block at hand began
    BlockOutcome m_outcome;
};

}  // namespace qb
