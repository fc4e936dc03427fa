#include "library/picture_cache.h"

#include <cctype>
#include <cstring>

namespace {

const char kMagic[8] = {'L', 'F', 'P', 'I', 'C', 'S', '1', '\n'};

// Runs of one pixel take a count byte of 128 + (run - 2), 2 to 129 pixels,
// and the pixel; other pixels go in literal runs of a count byte (run - 1),
// 1 to 128 pixels, and the pixels. Flares on black have long runs.
const size_t PIXEL_BYTES = 3, MAX_RUN = 129, MAX_LITERAL = 128;

bool SamePixel(const uint8_t *a, const uint8_t *b)
{
    return std::memcmp(a, b, PIXEL_BYTES) == 0;
}

void PackPixels(const std::vector<uint8_t> &pixels, std::vector<uint8_t> &out)
{
    const size_t count = pixels.size() / PIXEL_BYTES;
    const uint8_t *p = pixels.data();
    size_t i = 0;
    while (i < count) {
        size_t run = 1;
        while (i + run < count && run < MAX_RUN && SamePixel(p + i * 3, p + (i + run) * 3))
            ++run;
        if (run >= 2) {
            out.push_back(uint8_t(128 + run - 2));
            out.insert(out.end(), p + i * 3, p + i * 3 + 3);
            i += run;
            continue;
        }
        size_t literal = 1;
        while (i + literal < count && literal < MAX_LITERAL &&
               !(i + literal + 1 < count &&
                 SamePixel(p + (i + literal) * 3, p + (i + literal + 1) * 3)))
            ++literal;
        out.push_back(uint8_t(literal - 1));
        out.insert(out.end(), p + i * 3, p + (i + literal) * 3);
        i += literal;
    }
}

// Unpacks exactly `count` pixels from the whole of [in, in + size).
bool UnpackPixels(const uint8_t *in, size_t size, size_t count, std::vector<uint8_t> &out)
{
    out.resize(count * PIXEL_BYTES);
    uint8_t *to = out.data(), *end = to + out.size();
    size_t at = 0;
    while (at < size) {
        uint8_t control = in[at++];
        size_t run = control >= 128 ? size_t(control) - 126 : size_t(control) + 1;
        size_t bytes = control >= 128 ? PIXEL_BYTES : run * PIXEL_BYTES;
        if (size - at < bytes || size_t(end - to) < run * PIXEL_BYTES)
            return false;
        if (control >= 128) {
            for (size_t r = 0; r < run; ++r, to += PIXEL_BYTES)
                std::memcpy(to, in + at, PIXEL_BYTES);
        } else {
            std::memcpy(to, in + at, bytes);
            to += bytes;
        }
        at += bytes;
    }
    return to == end;
}

uint64_t Checksum(const uint8_t *bytes, size_t size)
{
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

void PutNumber(std::vector<uint8_t> &out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

void PutText(std::vector<uint8_t> &out, const std::string &text)
{
    size_t length = text.size() < 0xFFFF ? text.size() : 0xFFFF;
    PutNumber(out, length, 2);
    out.insert(out.end(), text.begin(), text.begin() + long(length));
}

// Reads what the encoder put, failing for good at the first byte that is
// not there.
struct Reader {
    const uint8_t *at;
    size_t left;
    bool ok = true;

    bool Take(size_t count)
    {
        ok = ok && left >= count;
        return ok;
    }
    uint64_t Number(int bytes)
    {
        if (!Take(size_t(bytes)))
            return 0;
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= uint64_t(at[i]) << (8 * i);
        at += bytes;
        left -= size_t(bytes);
        return value;
    }
    std::string Text()
    {
        size_t length = size_t(Number(2));
        if (!Take(length))
            return std::string();
        std::string text(reinterpret_cast<const char *>(at), length);
        at += length;
        left -= length;
        return text;
    }
};

std::string LowerCase(const std::string &text)
{
    std::string lower = text;
    for (char &c : lower)
        c = char(std::tolower(uint8_t(c)));
    return lower;
}

bool ReadEntry(Reader &in, size_t pixels, CachedPicture &entry)
{
    entry.file.path = in.Text();
    entry.file.size = in.Number(8);
    entry.file.time = in.Number(8);
    uint64_t state = in.Number(1);
    if (state != PICTURE_MADE && state != PICTURE_DAMAGED)
        return false;
    entry.picture.state = PictureState(state);
    for (size_t count = size_t(in.Number(2)); in.ok && count > 0; --count) {
        entry.picture.types.push_back(in.Text());
        entry.picture.names.push_back(in.Text());
    }
    entry.picture.problem = in.Text();
    size_t packed = size_t(in.Number(4));
    if (!in.Take(packed))
        return false;
    if (state == PICTURE_MADE &&
        !UnpackPixels(in.at, packed, pixels, entry.picture.pixels))
        return false;
    if (state == PICTURE_DAMAGED && packed != 0)
        return false;
    in.at += packed;
    in.left -= packed;
    return in.ok;
}

}  // namespace

std::vector<uint8_t> EncodePictureCache(int32_t width, int32_t height,
                                        const std::vector<PictureOfFile> &entries)
{
    const size_t pixelBytes = size_t(width) * size_t(height) * PIXEL_BYTES;
    std::vector<const PictureOfFile *> kept;
    for (const PictureOfFile &entry : entries)
        if (entry.picture->state == PICTURE_DAMAGED ||
            (entry.picture->state == PICTURE_MADE && entry.picture->pixels.size() == pixelBytes))
            kept.push_back(&entry);
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
    PutNumber(out, uint32_t(width), 4);
    PutNumber(out, uint32_t(height), 4);
    PutNumber(out, kept.size(), 4);
    for (const PictureOfFile *entry : kept) {
        const PresetPicture &picture = *entry->picture;
        PutText(out, entry->file->path);
        PutNumber(out, entry->file->size, 8);
        PutNumber(out, entry->file->time, 8);
        PutNumber(out, picture.state, 1);
        size_t elements = picture.types.size() < 0xFFFF ? picture.types.size() : 0xFFFF;
        PutNumber(out, elements, 2);
        for (size_t e = 0; e < elements; ++e) {
            PutText(out, picture.types[e]);
            PutText(out, e < picture.names.size() ? picture.names[e] : std::string());
        }
        PutText(out, picture.problem);
        std::vector<uint8_t> packed;
        if (picture.state == PICTURE_MADE)
            PackPixels(picture.pixels, packed);
        PutNumber(out, packed.size(), 4);
        out.insert(out.end(), packed.begin(), packed.end());
    }
    PutNumber(out, Checksum(out.data(), out.size()), 8);
    return out;
}

bool DecodePictureCache(const uint8_t *bytes, size_t size, int32_t width, int32_t height,
                        PictureCache *cache)
{
    cache->entries.clear();
    cache->byPath.clear();
    if (width <= 0 || height <= 0 || size < sizeof kMagic + 12 + 8 ||
        std::memcmp(bytes, kMagic, sizeof kMagic) != 0)
        return false;
    uint64_t stored = 0;
    for (int i = 0; i < 8; ++i)
        stored |= uint64_t(bytes[size - 8 + size_t(i)]) << (8 * i);
    if (stored != Checksum(bytes, size - 8))
        return false;
    Reader in = {bytes + sizeof kMagic, size - sizeof kMagic - 8};
    bool sameSize = in.Number(4) == uint64_t(width) && in.Number(4) == uint64_t(height);
    size_t count = size_t(in.Number(4));
    const size_t pixels = size_t(width) * size_t(height);
    for (size_t i = 0; sameSize && in.ok && i < count; ++i) {
        CachedPicture entry;
        if (!ReadEntry(in, pixels, entry))
            in.ok = false;
        else
            cache->entries.push_back(std::move(entry));
    }
    if (!sameSize || !in.ok || in.left != 0) {
        cache->entries.clear();
        return false;
    }
    for (size_t i = 0; i < cache->entries.size(); ++i)
        cache->byPath[LowerCase(cache->entries[i].file.path)] = i;
    return true;
}

CachedPicture *FindCachedPicture(PictureCache &cache, const PresetFile &file)
{
    auto found = cache.byPath.find(LowerCase(file.path));
    if (found == cache.byPath.end())
        return nullptr;
    CachedPicture &entry = cache.entries[found->second];
    return entry.file.size == file.size && entry.file.time == file.time ? &entry : nullptr;
}
