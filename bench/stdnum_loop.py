"""The alternative a user would reach for: a Python loop over a list file with python-stdnum, one line out per
line in. Usage: stdnum_loop.py [--card] FILE > results"""
import sys

from stdnum import luhn
from stdnum.us import ssn
from stdnum.util import clean


def main():
    card = sys.argv[1] == "--card"
    write = sys.stdout.write
    with open(sys.argv[-1], encoding="latin-1") as lines:
        for line in lines:
            number = line.rstrip("\n")
            if card:
                valid = luhn.is_valid(clean(number, " -"))
            else:
                valid = ssn.is_valid(number)
            write(f"{number} {'YES' if valid else 'NO'}\n")


if __name__ == "__main__":
    main()
