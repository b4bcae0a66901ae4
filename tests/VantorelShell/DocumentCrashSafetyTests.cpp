// A process killed in the middle of a save never leaves a damaged or missing document: a child
// process saves a large document over and over, alternating between two versions, and is killed
// at random moments; after each kill the file must be exactly one of the versions. An interrupt
// or termination signal also removes the save's temporary file; only SIGKILL can leave one.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "ShellTestSupport.h"
#include "Vantorel/shell/Document.h"

namespace vantorel::shell::testing {
namespace {

std::vector<ProjectItemPtr> manyItems(int count) {
    std::vector<ProjectItemPtr> groups;
    for (int g = 0; g < count / 50; ++g) {
        std::vector<ProjectItemPtr> colors;
        for (int c = 0; c < 50; ++c) colors.push_back(colorNamed("Color " + std::to_string(c), c / 50.0));
        groups.push_back(groupOf("Group " + std::to_string(g), std::move(colors)));
    }
    return groups;
}

// Opens the document, then saves until it is killed, alternating between the two versions
// (B first) and telling the parent through `saved` after each completed save.
[[noreturn]] void saveForever(const std::filesystem::path& file, int saved) {
    auto opened = Document::open(file);
    if (!opened.document) ::_exit(3);
    Document& document = *opened.document;
    const char byte = 1;
    for (long round = 0;; ++round) {
        document.editor().changeDocumentDescription(round % 2 == 0 ? "version B" : "version A");
        if (document.save()) ::_exit(4);
        if (::write(saved, &byte, 1) != 1) ::_exit(5);
    }
}

TEST(DocumentCrashSafety, AKilledSaveLeavesTheOldOrTheNewDocument) {
    ScratchFolder folder;
    const auto file = folder / "Large.vantorel";
    const auto items = manyItems(4000);
    const std::string versionA = documentBytes(items, "version A");
    const std::string versionB = documentBytes(items, "version B");
    ASSERT_GT(versionA.size(), 500'000u);
    writeFileContents(file, versionA);

    // How long one save takes here, so that kills can land anywhere inside one.
    long long saveMicroseconds = 0;
    {
        auto document = Document::open(file).document;
        ASSERT_TRUE(document);
        const auto start = std::chrono::steady_clock::now();
        ASSERT_FALSE(document->saveAs(folder / "timing.vantorel"));
        saveMicroseconds = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
        std::filesystem::remove(folder / "timing.vantorel");
    }
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> completedSaves(1, 4);
    std::uniform_int_distribution<long long> delayMicroseconds(0, saveMicroseconds * 5 / 4);
    std::set<std::string> seen;
    const auto temporaryFiles = [&folder] { return folder.fileNames().size() - 1; };
    const int signals[] = {SIGKILL, SIGTERM, SIGINT};
    for (int round = 0; round < 27; ++round) {
        const int ending = signals[round % 3];
        const std::size_t temporaryBefore = temporaryFiles();
        int saved[2];
        ASSERT_EQ(::pipe(saved), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) saveForever(file, saved[1]);
        ::close(saved[1]);
        // Let a few saves complete, so that either version can be on disk, then kill the
        // child somewhere in a later save.
        bool saving = true;
        for (int wait = completedSaves(random); wait > 0 && saving; --wait) {
            char byte = 0;
            saving = ::read(saved[0], &byte, 1) == 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, ending);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ::close(saved[0]);
        ASSERT_TRUE(saving);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself with " << WEXITSTATUS(status);
        EXPECT_EQ(WTERMSIG(status), ending);
        if (ending != SIGKILL) {
            EXPECT_EQ(temporaryFiles(), temporaryBefore) << "round " << round << ", signal " << ending;
        }

        const std::string bytes = fileContents(file);
        ASSERT_TRUE(bytes == versionA || bytes == versionB)
            << "round " << round << ": the file holds " << bytes.size() << " bytes that are neither version";
        seen.insert(bytes == versionA ? "A" : "B");
    }
    EXPECT_EQ(seen.size(), 2u);
    // A killed save can leave its temporary file behind (a sign that kills landed inside
    // saves), but never anything else.
    int interrupted = 0;
    for (const std::string& name : folder.fileNames()) {
        if (name == "Large.vantorel") continue;
        EXPECT_EQ(name.rfind(".Large.vantorel.", 0), 0u) << name;
        ++interrupted;
    }
    RecordProperty("interruptedSaves", interrupted);
}

}  // namespace
}  // namespace vantorel::shell::testing
