// Writes the key tables of the documents anew from the list box's key
// table: `write_key_tables SOURCE_DIR` (the build's target key-tables).
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "key_tables.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_key_tables SOURCE_DIR\n";
        return 2;
    }
    int status = 0;
    for (const corrivex::keytables::Document& document : corrivex::keytables::documents()) {
        const std::string path = std::string(argv[1]) + "/" + std::string(document.file);
        std::ifstream in(path, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const std::string made = corrivex::keytables::withKeyTable(text, document);
        if (!in || made == text) continue;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << made;
        if (!out) {
            std::cerr << "write_key_tables: could not write " << path << "\n";
            status = 1;
        } else {
            std::cout << "wrote the key table of " << document.file << "\n";
        }
    }
    return status;
}
