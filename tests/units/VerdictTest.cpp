// The verdict a child of the validator tells on its channel: only a whole verdict of this run
// counts, whatever else a library puts on the channel around it.
#include <gtest/gtest.h>

#include <string>

#include "Verdict.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>

namespace {

// What a child tells on a pipe of its own, as the validator's children do.
std::string told(const Verdict& verdict, const std::string& token) {
    int channel[2] = {-1, -1};
    EXPECT_EQ(pipe(channel), 0);
    const int numbered = fcntl(channel[1], F_DUPFD, 10);
    close(channel[1]);
    VerdictChannel teller;
    std::string problem;
    EXPECT_TRUE(teller.open(std::to_string(numbered), std::to_string(getppid()), token, problem))
        << problem;
    EXPECT_TRUE(teller.tell(verdict, problem)) << problem;
    close(numbered);
    std::string said;
    char buffer[256];
    for (ssize_t read = 0; (read = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        said.append(buffer, static_cast<std::size_t>(read));
    }
    close(channel[0]);
    return said;
}

const std::string kToken = "0123456789abcdef0123456789abcdef";

}  // namespace

TEST(Verdict, OnlyAWholeVerdictOfThisRunCountsWhateverIsAroundIt) {
    Verdict passed;
    passed.result = Verdict::Result::Passed;
    passed.played = 160'000;
    const std::string said = told(passed, kToken);

    const auto read =
        readVerdict("junk without an end" + said + "verdict failed\nmore junk\n", kToken);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->result, Verdict::Result::Passed);
    EXPECT_EQ(read->played, 160'000);

    EXPECT_FALSE(readVerdict(said, "ffffffffffffffffffffffffffffffff")) << "another run's";
    std::string altered = said;
    altered.replace(altered.find("160000"), 6, "999999");
    EXPECT_FALSE(readVerdict(altered, kToken)) << "a count changed after the sum";
    EXPECT_FALSE(readVerdict(said.substr(0, said.size() - 4), kToken)) << "cut before its end";
    EXPECT_FALSE(readVerdict("verdict passed\nplayed 799999992\nend\n", kToken))
        << "a verdict without token or sum";
}

TEST(Verdict, AChannelIsTakenOnlyWithATokenOfThisRunAndToldOnce) {
    int channel[2] = {-1, -1};
    ASSERT_EQ(pipe(channel), 0);
    const int numbered = fcntl(channel[1], F_DUPFD, 10);
    VerdictChannel teller;
    std::string problem;
    EXPECT_FALSE(
        teller.open(std::to_string(numbered), std::to_string(getppid()), "short", problem));
    ASSERT_TRUE(teller.open(std::to_string(numbered), std::to_string(getppid()), kToken, problem));
    // A library that opens a file of its own into the channel's number.
    const int file = open("/dev/null", O_WRONLY);
    ASSERT_EQ(dup2(file, numbered), numbered);
    EXPECT_FALSE(teller.tell(Verdict{}, problem));
    EXPECT_NE(problem.find("no longer the pipe"), std::string::npos) << problem;
    close(file);
    close(numbered);
    close(channel[0]);
    close(channel[1]);
}
#endif
