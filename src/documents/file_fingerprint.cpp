#include "documents/file_fingerprint.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace ombrel {

namespace {

constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;
constexpr uint64_t kPrime3 = 0x165667B19E3779F9ull;
constexpr uint64_t kPrime4 = 0x85EBCA77C2B2AE63ull;
constexpr uint64_t kPrime5 = 0x27D4EB2F165667C5ull;

uint64_t read64(const unsigned char* p)
{
    uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap64(v);
    return v;
}

uint32_t read32(const unsigned char* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    return v;
}

uint64_t round(uint64_t acc, uint64_t input)
{
    acc += input * kPrime2;
    return std::rotl(acc, 31) * kPrime1;
}

uint64_t mergeRound(uint64_t acc, uint64_t lane)
{
    acc ^= round(0, lane);
    return acc * kPrime1 + kPrime4;
}

} // namespace

ContentHash::ContentHash() : lanes_{kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1}
{
}

void ContentHash::addStripe(const unsigned char* stripe)
{
    for (int i = 0; i < 4; ++i)
        lanes_[i] = round(lanes_[i], read64(stripe + 8 * i));
}

void ContentHash::add(std::string_view bytes)
{
    auto p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    length_ += left;
    if (buffered_ > 0) {
        const std::size_t take = std::min(left, sizeof buffer_ - buffered_);
        std::memcpy(buffer_ + buffered_, p, take);
        buffered_ += take;
        p += take;
        left -= take;
        if (buffered_ < sizeof buffer_)
            return;
        addStripe(buffer_);
        buffered_ = 0;
    }
    for (; left >= 32; p += 32, left -= 32)
        addStripe(p);
    std::memcpy(buffer_, p, left);
    buffered_ = left;
}

uint64_t ContentHash::value() const
{
    uint64_t h;
    if (length_ >= 32) {
        h = std::rotl(lanes_[0], 1) + std::rotl(lanes_[1], 7) + std::rotl(lanes_[2], 12) + std::rotl(lanes_[3], 18);
        for (const uint64_t lane : lanes_)
            h = mergeRound(h, lane);
    } else {
        h = kPrime5;
    }
    h += length_;
    const unsigned char* p = buffer_;
    std::size_t left = buffered_;
    for (; left >= 8; p += 8, left -= 8)
        h = std::rotl(h ^ round(0, read64(p)), 27) * kPrime1 + kPrime4;
    if (left >= 4) {
        h = std::rotl(h ^ (uint64_t(read32(p)) * kPrime1), 23) * kPrime2 + kPrime3;
        p += 4;
        left -= 4;
    }
    for (; left > 0; ++p, --left)
        h = std::rotl(h ^ (*p * kPrime5), 11) * kPrime1;
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    h *= kPrime3;
    h ^= h >> 32;
    return h;
}

bool ChangedOnDisk(const FileFingerprint& noted, int64_t size, int64_t modifiedMs,
                   const std::function<std::optional<uint64_t>()>& hashOnDisk)
{
    if (size != noted.size || modifiedMs != noted.modifiedMs)
        return true;
    const std::optional<uint64_t> hash = hashOnDisk();
    return !hash || *hash != noted.hash;
}

UserMessage ReplaceQuestion(std::string_view fileName, std::optional<FileOrigin> changedSince)
{
    std::vector<std::string> name{std::string(fileName)};
    if (!changedSince)
        return {OMBREL_TEXT("ombrel", "%1 already exists.\nDo you want to replace it?"), std::move(name)};
    if (*changedSince == FileOrigin::Opened)
        return {OMBREL_TEXT("ombrel",
                            "%1 has changed on disk since you opened it: another Ombrel window or another program "
                            "saved it.\nReplacing it loses what they saved. Do you want to replace it?"),
                std::move(name)};
    return {OMBREL_TEXT("ombrel",
                        "%1 has changed on disk since you saved it: another Ombrel window or another program saved "
                        "it.\nReplacing it loses what they saved. Do you want to replace it?"),
            std::move(name)};
}

UserMessage OpenElsewhereQuestion(std::string_view fileName, int64_t processId)
{
    return {OMBREL_TEXT("ombrel",
                        "%1 is open in another Ombrel window (process %2). If both windows save it, the last save "
                        "replaces the other's work.\nOpen it anyway?"),
            {std::string(fileName), std::to_string(processId)}};
}

} // namespace ombrel
