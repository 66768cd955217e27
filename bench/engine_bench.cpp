// Kernels of the engine, so that a slowdown shows where it is.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "taviro/engine.h"

namespace {

using taviro::CharacterState;

// ਕਮਲਨਯਨ ਪੰਜਾਬੀ ਸ਼ਬਦ ਦੁਕਾਨਦਾਰ ਪੱਕਾ: ordinary words with tippi, addak and vowel signs.
const std::vector<std::u16string> kGurmukhiWords{
    u"\u0A15\u0A2E\u0A32\u0A28\u0A2F\u0A28", u"\u0A2A\u0A70\u0A1C\u0A3E\u0A2C\u0A40", u"\u0A36\u0A2C\u0A26",
    u"\u0A26\u0A41\u0A15\u0A3E\u0A28\u0A26\u0A3E\u0A30", u"\u0A2A\u0A71\u0A15\u0A3E"};

std::vector<std::u16string> romanized_words() {
    std::vector<std::u16string> words;
    for (const auto& gurmukhi : kGurmukhiWords) {
        CharacterState state;
        for (char16_t c : gurmukhi) taviro::add_character(state, c);
        taviro::end_word(state, true);
        words.push_back(state.word);
    }
    return words;
}

void add_character(benchmark::State& bench) {
    CharacterState state;
    std::size_t units = 0;
    for (auto _ : bench) {
        for (const auto& word : kGurmukhiWords) {
            state.reset();
            for (char16_t c : word) taviro::add_character(state, c);
            taviro::end_word(state, true);
            benchmark::DoNotOptimize(state.word.data());
            units += word.size();
        }
    }
    bench.SetItemsProcessed(static_cast<std::int64_t>(units));
}
BENCHMARK(add_character);

void schwa_del(benchmark::State& bench) {
    const auto words = romanized_words();
    for (auto _ : bench) {
        for (const auto& word : words) {
            std::u16string copy = word;
            benchmark::DoNotOptimize(taviro::Schwa_Del(copy).data());
        }
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(words.size()));
}
BENCHMARK(schwa_del);

void finish_word(benchmark::State& bench) {
    const auto words = romanized_words();
    const taviro::MemoryDictionary dictionary({u"kamal", u"nayan", u"duk\u0101n", u"pa\u1E43j\u0101b\u012B"});
    for (auto _ : bench) {
        for (const auto& word : words) benchmark::DoNotOptimize(taviro::finish_word(word, dictionary).text.data());
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(words.size()));
}
BENCHMARK(finish_word);

void dictionary_lookup(benchmark::State& bench) {
    taviro::MemoryDictionary dictionary;
    std::u16string text = u"kamal";
    for (int i = 0; i < 20000; ++i) dictionary.add(text + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) +
                                                  std::u16string(1, static_cast<char16_t>(0x100 + i / 26)));
    const auto words = romanized_words();
    for (auto _ : bench) {
        for (const auto& word : words) {
            benchmark::DoNotOptimize(dictionary.stem_lookup(word));
            benchmark::DoNotOptimize(dictionary.part_lookup(word));
        }
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(2 * words.size()));
}
BENCHMARK(dictionary_lookup);

// Hostile input: the longest word the 16-bit rules allow, with no dictionary help.
void split_search_long_word(benchmark::State& bench) {
    const taviro::MemoryDictionary dictionary;
    std::u16string word;
    while (word.size() + 2 <= static_cast<std::size_t>(bench.range(0))) word += u"ka";
    for (auto _ : bench) benchmark::DoNotOptimize(taviro::finish_word(word, dictionary).text.data());
    bench.SetComplexityN(bench.range(0));
}
BENCHMARK(split_search_long_word)->RangeMultiplier(4)->Range(64, 16384)->Complexity();

// Hostile input for schwa deletion: "kaka…" up to the longest word it takes,
// where every pass finds a candidate and removes it.
void schwa_del_long_word(benchmark::State& bench) {
    std::u16string word;
    while (word.size() < static_cast<std::size_t>(bench.range(0))) word += word.size() % 2 == 0 ? u'k' : u'a';
    for (auto _ : bench) {
        std::u16string copy = word;
        benchmark::DoNotOptimize(taviro::Schwa_Del(copy).data());
    }
    bench.SetComplexityN(bench.range(0));
}
BENCHMARK(schwa_del_long_word)->RangeMultiplier(4)->Range(64, 16384)->Arg(taviro::kMax16 - 1)->Complexity(benchmark::oNSquared);

}  // namespace
