#include "IdCounter.h"
#include "TestDatabase.h"

#include <QSet>

#include <gtest/gtest.h>

#include <thread>

// Two workstations allocating at the same moment must both get distinct identifiers.
TEST(IdCounterConcurrency, TwoAttachmentsNeverShareAnIdentifier) {
    TestDatabase database;
    db::ConnectionParams p;
    p.database = database.path();
    p.forceEmbedded = true;
    constexpr int perWorker = 150;
    std::vector<int> a, b;
    std::string errA, errB;
    auto worker = [&](std::vector<int>& got, std::string& err) {
        try {
            db::Attachment att(p);
            IdCounter counter(att);
            for (int i = 0; i < perWorker; ++i)
                got.push_back(i % 10 == 0 ? counter.reserve(5) : counter.next());
        } catch (const std::exception& e) {
            err = e.what();
        }
    };
    std::thread t1(worker, std::ref(a), std::ref(errA));
    std::thread t2(worker, std::ref(b), std::ref(errB));
    t1.join();
    t2.join();
    ASSERT_EQ(errA, "");
    ASSERT_EQ(errB, "");
    QSet<int> seen;
    for (const auto* list : {&a, &b})
        for (size_t i = 0; i < list->size(); ++i) {
            const int width = i % 10 == 0 ? 5 : 1;
            for (int k = 0; k < width; ++k) {
                EXPECT_FALSE(seen.contains((*list)[i] + k)) << (*list)[i] + k;
                seen.insert((*list)[i] + k);
            }
        }
}
