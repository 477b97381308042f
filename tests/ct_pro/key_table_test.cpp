// The key tables of the documents (the README, the Windows read-me and the
// manual page) are those that the list box's key table makes, and that
// table's lines name every key the box reads.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "ct_pro/list_box.h"
#include "key_tables.h"

namespace corrivex::ctpro {
namespace {

TEST(KeyTableTest, TheDocumentsShowTheKeyTableOfTheListBox) {
    for (const keytables::Document& document : keytables::documents()) {
        std::ifstream in(std::string(CORRIVEX_SOURCE_DIR) + "/" + std::string(document.file), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ASSERT_NE(text.find(std::string(document.before) + "\n"), std::string::npos) << document.file;
        EXPECT_TRUE(keytables::withKeyTable(text, document) == text)
            << "The key table of " << document.file << " is not the list box's: run "
            << "`cmake --build --preset native --target key-tables`";
    }
    std::string documented;
    for (const ListBoxHelpLine& line : listBoxKeyTable()) documented += ", " + std::string(line.keys) + ",";
    for (const std::string& name : listBoxKeyNames())
        EXPECT_NE(documented.find(", " + name + ","), std::string::npos) << name << " has no line in the documents";
}

}  // namespace
}  // namespace corrivex::ctpro
