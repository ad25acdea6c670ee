# fib: recursive procedure calls.
proc fib {n} {
    if {$n < 2} {
        set r $n
    } else {
        set r [expr {[fib [expr {$n - 1}]] + [fib [expr {$n - 2}]]}]
    }
    return $r
}

proc main {} {
    puts [fib 24]
}
main
