#include "quiz/random_generator.h"

RandomGenerator& ProgramRandom() {
    static RandomGenerator generator;
    return generator;
}
