# loop: integer arithmetic in a counted loop.
def main():
    s = 0
    i = 0
    while i < 2000000:
        s = s + i % 7
        i = i + 1
    print(s)


main()
