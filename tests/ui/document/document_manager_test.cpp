#include "ui/document/document_manager.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/app_test_support.h"
#include "ui/document/file_identity.h"

namespace tw {
namespace {

std::unique_ptr<EditorDocument> Named(const std::string& name, bool scratch = false) {
    auto dialogue = std::make_unique<Dialogue>();
    dialogue->Npc().name = name;
    dialogue->SetScratch(scratch);
    return std::make_unique<EditorDocument>(std::move(dialogue));
}

const Dialogue& Of(DocumentManager& documents) {
    return documents.Current().GetDialogue();
}

std::vector<std::string> Names(DocumentManager& documents) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < documents.Count(); ++i) {
        names.push_back(documents.At(i).GetDialogue().Npc().name);
    }
    return names;
}

TEST(DocumentManagerTest, OnlyTheUntouchedScratchDocumentIsReplaced) {
    DocumentManager untouched;
    EXPECT_EQ(Of(untouched).Npc().name, "Untitled");
    EXPECT_EQ(untouched.Add(Named("Ann")), 0u);
    EXPECT_EQ(Names(untouched), (std::vector<std::string>{"Ann"}));

    DocumentManager modified;
    modified.Current().GetDialogue().SetModified(true);
    EXPECT_EQ(modified.Add(Named("Ann")), 1u);
    EXPECT_EQ(modified.Count(), 2u);

    // A document made with New is no scratch document, even while it is empty.
    DocumentManager fromNew;
    fromNew.Add(Named("New"));
    fromNew.Add(Named("Ann"));
    EXPECT_EQ(Names(fromNew), (std::vector<std::string>{"New", "Ann"}));
    EXPECT_EQ(fromNew.CurrentIndex(), 1u);
}

TEST(DocumentManagerTest, ClosingMakesThePreviousCurrentElseTheNext) {
    DocumentManager documents;
    for (const char* name : {"A", "B", "C"}) {
        documents.Add(Named(name));
    }
    documents.Remove(1);
    EXPECT_EQ(Names(documents), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(Of(documents).Npc().name, "A");
    documents.Remove(0);
    EXPECT_EQ(Of(documents).Npc().name, "C");
    documents.Remove(0);
    ASSERT_EQ(documents.Count(), 1u);
    EXPECT_TRUE(Of(documents).IsScratch());
    EXPECT_EQ(Of(documents).Npc().name, "Untitled");
}

// Whatever takes a document away says so first, while it can still be read.
TEST(DocumentManagerTest, EveryRemovalIsReportedBeforeTheDocumentGoes) {
    DocumentManager documents;
    std::vector<std::string> removed;
    QObject::connect(&documents, &DocumentManager::documentAboutToClose,
                     [&removed](EditorDocument& document) {
                         removed.push_back(document.GetDialogue().Npc().name);
                     });
    documents.Add(Named("A"));  // replaces the untouched scratch document
    documents.Add(Named("B"));
    documents.Add(Named("C"));
    documents.Remove(1);
    EXPECT_EQ(removed, (std::vector<std::string>{"Untitled", "B"}));
    documents.Remove(7);
    EXPECT_EQ(removed.size(), 2u);
    documents.Clear();
    EXPECT_EQ(removed, (std::vector<std::string>{"Untitled", "B", "A", "C"}));
    EXPECT_TRUE(documents.IsReplaceableScratch());  // one untouched scratch document is left
}

TEST(DocumentManagerTest, FindsAnOpenFileByIdentityNotByPathText) {
    test::TempDir dir("document_set_identity");
    const std::string upper = dir.CopySample("innkeeper.vrx", "Inn.vrx");
    const std::string lower = dir.CopySample("innkeeper.vrx", "inn.vrx");
    std::filesystem::create_directory(dir.Path() / "sub");
    std::filesystem::create_symlink(upper, dir.Path() / "link.vrx");

    DocumentManager documents;
    documents.Add(Named("Inn"));
    documents.Current().GetDialogue().SetPath(upper);
    EXPECT_EQ(documents.FindFile(upper), 0u);
    EXPECT_EQ(documents.FindFile(dir.File("sub/../Inn.vrx")), 0u);
    EXPECT_EQ(documents.FindFile(dir.File("link.vrx")), 0u);
    // On this file system a path differing in case is another file.
    EXPECT_EQ(documents.FindFile(lower), std::nullopt);
    EXPECT_EQ(documents.FindFile(dir.File("missing.vrx")), std::nullopt);
}

TEST(FileIdentityTest, PathsThatCannotBeExaminedMatchOnlyByText) {
    EXPECT_TRUE(IsSameFile("/no/such/file.vrx", "/no/such/file.vrx"));
    EXPECT_FALSE(IsSameFile("/no/such/file.vrx", "/no/such/FILE.vrx"));
    EXPECT_FALSE(IsSameFile(test::SamplePath("innkeeper.vrx"), "/no/such/file.vrx"));
    EXPECT_EQ(AbsolutePath("a/../b.vrx"), std::filesystem::current_path().string() + "/b.vrx");
    EXPECT_EQ(AbsolutePath("/x/./y.vrx"), "/x/y.vrx");
    EXPECT_EQ(AbsolutePath(""), "");
}

}  // namespace
}  // namespace tw
