#include "Vantorel/import/ZipArchiveReader.h"

#include <zip.h>

#include <string>

namespace vantorel::import {

void ZipArchiveReader::Close::operator()(zip* archive) const {
    zip_discard(archive);
}

std::optional<ZipArchiveReader> ZipArchiveReader::open(std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return std::nullopt;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    return ZipArchiveReader(archive);
}

ZipArchiveReader::Entry ZipArchiveReader::read(const std::string& name, std::size_t limit) const {
    Entry entry;
    const zip_int64_t index = zip_name_locate(archive_.get(), name.c_str(), 0);
    if (index < 0) return entry;
    entry.status = EntryStatus::damaged;
    zip_file_t* file = zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
    if (!file) {
        entry.detail = zip_strerror(archive_.get());
        return entry;
    }
    char piece[16384];
    bool complete = false;
    for (;;) {
        const zip_int64_t count = zip_fread(file, piece, sizeof piece);
        if (count < 0) {
            entry.detail = zip_file_strerror(file);
            break;
        }
        if (count == 0) {
            complete = true;
            break;
        }
        if (entry.bytes.size() + static_cast<std::size_t>(count) > limit) {
            entry.detail = "the entry is larger than " + std::to_string(limit) + " bytes";
            break;
        }
        entry.bytes.append(piece, static_cast<std::size_t>(count));
    }
    zip_fclose(file);
    if (!complete) {
        entry.bytes.clear();
        return entry;
    }
    entry.status = EntryStatus::read;
    return entry;
}

}  // namespace vantorel::import
