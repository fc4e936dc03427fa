// Host memory: zero-filled blocks with a small header that marks them as the
// host's and lets the host count the blocks still alive.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>

#include "host/core/qi_host.h"

namespace {

// The header keeps the block 16-byte aligned.
struct BlockHeader {
    uint64_t magic;
    uint64_t size;
};
static_assert(sizeof(BlockHeader) == 16, "header must keep blocks aligned");

constexpr uint64_t kLiveMagic = 0x514978426c6f636bULL;   // "QIxBlock"
constexpr uint64_t kFreedMagic = 0x46726565644d656dULL;  // "FreedMem"
constexpr size_t kMaxBlock = size_t(1) << 40;
constexpr unsigned char kFreedByte = 0xDD;  // fills quarantined blocks

std::atomic<int64_t> liveBlocks{0};
std::atomic<int32_t> failSkip{0};
std::atomic<int32_t> failCount{0};

bool InjectedFailure()
{
    if (failCount.load() <= 0)
        return false;
    if (failSkip.load() > 0) {
        --failSkip;
        return false;
    }
    --failCount;
    return true;
}

// Freed blocks held back from reuse, oldest first, so that a later
// allocation never takes a just-freed block's place and writes into it show.
std::mutex quarantineLock;
std::deque<BlockHeader *> quarantine;
size_t quarantineSize = 0;

// Releases a quarantined block, reporting a write made after it was freed.
void ReleaseQuarantined(BlockHeader *header)
{
    const auto *payload = reinterpret_cast<const unsigned char *>(header + 1);
    for (uint64_t i = 0; i < header->size; ++i)
        if (payload[i] != kFreedByte) {
            Qi_Report_Error(3, "ERR_WRITE_AFTER_FREE", "Qi_Free_Memory()",
                            "a freed block was written to");
            break;
        }
    std::free(header);
}

void Quarantine(BlockHeader *header)
{
    std::memset(header + 1, kFreedByte, header->size);
    std::lock_guard<std::mutex> hold(quarantineLock);
    quarantine.push_back(header);
    while (quarantine.size() > quarantineSize) {
        ReleaseQuarantined(quarantine.front());
        quarantine.pop_front();
    }
}

}  // namespace

extern "C" void *Qi_Alloc_Memory(int16_t flag1, int16_t flag2, size_t bytes)
{
    if (bytes > kMaxBlock || InjectedFailure())
        return nullptr;
    auto *header = static_cast<BlockHeader *>(std::calloc(1, sizeof(BlockHeader) + bytes));
    if (!header)
        return nullptr;
    header->magic = kLiveMagic;
    header->size = bytes;
    ++liveBlocks;
    return header + 1;
}

extern "C" void Qi_Free_Memory(void *block)
{
    if (!block)
        return;
    BlockHeader *header = static_cast<BlockHeader *>(block) - 1;
    if (header->magic != kLiveMagic) {
        Qi_Report_Error(3, "ERR_BAD_FREE", "Qi_Free_Memory()",
                        header->magic == kFreedMagic ? "block freed twice"
                                                     : "block not allocated by the host");
        return;
    }
    header->magic = kFreedMagic;
    --liveBlocks;
    if (quarantineSize)
        Quarantine(header);
    else
        std::free(header);
}

extern "C" void QiHost_Quarantine_Freed_Blocks(int32_t blocks)
{
    std::lock_guard<std::mutex> hold(quarantineLock);
    quarantineSize = blocks > 0 ? size_t(blocks) : 0;
    while (quarantine.size() > quarantineSize) {
        ReleaseQuarantined(quarantine.front());
        quarantine.pop_front();
    }
}

extern "C" int64_t QiHost_Live_Blocks(void)
{
    return liveBlocks.load();
}

extern "C" void QiHost_Fail_Allocations(int32_t skip, int32_t count)
{
    failSkip = skip;
    failCount = count;
}
