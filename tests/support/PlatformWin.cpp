#include "TestSupport.h"

struct FileSizeLimit::Previous
{
};

FileSizeLimit::FileSizeLimit(qint64) {}

FileSizeLimit::~FileSizeLimit() = default;

struct MemoryLimit::Previous
{
};

MemoryLimit::MemoryLimit(qint64) {}

MemoryLimit::~MemoryLimit() = default;
