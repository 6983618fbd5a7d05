// What sundown-validate tells of its checks: what each part's child came to, judged from its
// verdict alone, and the report of every check, as text or as JSON Lines, with a summary that
// says the same either way.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Checks.h"
#include "ChildProcess.h"
#include "Options.h"
#include "Verdict.h"

enum class Outcome { Passed, Failed, Crashed };

struct PartResult {
    int part = -1;  // -1 for a check of one part
    Outcome outcome = Outcome::Crashed;
    std::string output;  // what the child reported, for the reader
    std::string why;     // why it did not pass, when the report cannot say it
    long long played = 0;
};

struct CheckResult {
    std::vector<PartResult> parts;
    Outcome outcome() const;
    long long played() const;
};

// Why a child that told no verdict (or `verdict`, when it told one) ended as it did.
std::string describeEnding(const ChildOutcome& ended, const std::optional<Verdict>& verdict,
                           int limitSeconds);
// What one part came to: its verdict of this run, the events it played against the `asked` (0:
// none asked), within the time limit `options` set.
PartResult judgePart(const ChildOutcome& ended, int part, long long asked, const Options& options);

class Results {
  public:
    explicit Results(const Options& options);

    // The load failed: it is told, every chosen check is not run, and the summary follows.
    void loadFailed(const ChildOutcome& ended, const std::string& why, double seconds);
    void starting(const Check& check);
    void finished(const Check& check, const CheckResult& result, double seconds);
    // Tells the summary; the exit status it makes.
    int summary();
    // Whether everything told reached its end.
    bool written();

  private:
    // Reports go beside the results: to standard error when standard output carries JSON Lines.
    std::ostream& report();
    void tellSummary(int skipped);

    const Options* options;
    int passed = 0;
    int failed = 0;
};
