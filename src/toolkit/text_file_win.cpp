#include "toolkit/text_file.h"

#include "toolkit/launch.h"
#include "toolkit/line_reader.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace {

struct TextFileEntry {
    HANDLE handle = INVALID_HANDLE_VALUE;
    LineReader reader;

    explicit TextFileEntry(HANDLE file)
        : handle(file), reader([file](char* buffer, size_t size) -> size_t {
              DWORD got = 0;
              if (!ReadFile(file, buffer, static_cast<DWORD>(size), &got, nullptr))
                  return 0;
              return got;
          })
    {
    }
    ~TextFileEntry() { CloseHandle(handle); }
    TextFileEntry(const TextFileEntry&) = delete;
    TextFileEntry& operator=(const TextFileEntry&) = delete;
};

std::vector<std::unique_ptr<TextFileEntry>> files;
int currentFile = -1;

TextFileEntry* FileAt(int number)
{
    if (number < 0 || static_cast<size_t>(number) >= files.size())
        return nullptr;
    return files[static_cast<size_t>(number)].get();
}

} // namespace

bool OpenTextFile(int number, std::string_view path)
{
    if (number < 0)
        return false;
    if (static_cast<size_t>(number) >= files.size())
        files.resize(static_cast<size_t>(number) + 1);
    files[static_cast<size_t>(number)].reset();
    currentFile = number;

    SetCurrentDirectoryA(ProgramFolder().c_str());
    const std::string pathText(path);
    HANDLE handle = CreateFileA(pathText.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    files[static_cast<size_t>(number)] = std::make_unique<TextFileEntry>(handle);
    return true;
}

std::string ReadTextLine()
{
    TextFileEntry* file = FileAt(currentFile);
    return file ? file->reader.ReadLine() : std::string();
}

bool AtEndOfFile(int number)
{
    TextFileEntry* file = FileAt(number);
    return !file || file->reader.AtEnd();
}

void CloseTextFile(int number)
{
    if (FileAt(number))
        files[static_cast<size_t>(number)].reset();
}

void RemoveFile(std::string_view path)
{
    const std::string pathText(path);
    DeleteFileA(pathText.c_str());
}

void TextFilesRelease()
{
    files.clear();
    currentFile = -1;
}
